#!/usr/bin/env python3
"""Web-service double for the HTTP client tests.

Started by the test program with the port of a control socket it listens on: binds an HTTP
server on 127.0.0.1 (any free port), connects to the control port, sends its own port as one
line and serves until the control connection closes (the test program ended).

Paths:
  /echo?...                          200, body = the raw query text
  /headers                           200, body = request line and headers as received
  /status/<n>                        status n (3xx with a Location header)
  /size/<n>                          200 with n bytes of "a"
  /disposition                       200 with a Content-Disposition header
  /reply                             200 with a padded line-based reply
  /hold, /release                    /hold answers once /release has been requested
  /lumora/rsinfo/abnormalEndInfo.jsp the abnormal-end report: checks val2, echoes md5(val2)
                                     as code (a wrong one for tid "badecho"); message = query;
                                     tid "hold" waits for /release first
"""
import hashlib
import http.server
import socket
import sys
import threading
import urllib.parse

released = threading.Event()


def md5_hex(text):
    return hashlib.md5(text.encode("latin-1")).hexdigest()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def reply(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path, _, query = self.path.partition("?")
        if path == "/echo":
            self.reply(200, query.encode("latin-1"))
        elif path == "/headers":
            text = self.requestline + "\r\n" + str(self.headers)
            self.reply(200, text.encode("latin-1"))
        elif path.startswith("/status/"):
            status = int(path[len("/status/"):])
            headers = [("Location", "/echo?moved=1")] if 300 <= status < 400 else []
            self.reply(status, b"status body", headers)
        elif path.startswith("/size/"):
            self.reply(200, b"a" * int(path[len("/size/"):]))
        elif path == "/disposition":
            self.reply(200, b"file", [("Content-Disposition", "attachment; filename= report 1.txt ; size=4")])
        elif path == "/reply":
            self.reply(200, b"\r\n  result:  true \r\ncode:77\r\nmessage: fine \r\nrsip:10.0.0.9\r\n\r\n")
        elif path == "/hold":
            released.wait(60)
            self.reply(200, b"held")
        elif path == "/release":
            released.set()
            self.reply(200, b"released")
        elif path == "/lumora/rsinfo/abnormalEndInfo.jsp":
            self.abnormal_end(query)
        else:
            self.reply(404, b"not found")

    def abnormal_end(self, query):
        fields = dict(urllib.parse.parse_qsl(query, keep_blank_values=True))
        if fields.get("tid") == "hold":
            released.wait(60)
        val2 = fields.get("val2", "")
        expected = md5_hex(fields.get("val1", "") + "." + fields.get("val3", "") + fields.get("tid", "") + fields.get("sid", ""))
        if val2 != expected:
            body = "result:false\ncode:1\nmessage:bad val2"
        else:
            code = md5_hex(val2) if fields.get("tid") != "badecho" else md5_hex("not " + val2)
            body = "result:true\ncode:%s\nmessage:%s\n" % (code, query)
        self.reply(200, body.encode("latin-1"))


def main():
    control_port = int(sys.argv[1])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    control = socket.create_connection(("127.0.0.1", control_port), timeout=60)
    control.settimeout(None)
    control.sendall(b"%d\n" % server.server_address[1])
    try:
        while control.recv(64):
            pass
    except OSError:
        pass
    server.shutdown()


if __name__ == "__main__":
    main()
