"""A stand-in for the maker's web service: the console's abnormal-end reports of student pads.

    service = WebService().start()            # http://127.0.0.1:<service.port>
    report = service.wait_report(slot=3)      # the report about slot 3: its fields, digest_ok
    service.hold()                            # from now on requests wait (a slow service) ...
    service.release()                         # ... until this
    service.stop()

A report is "val1=<ticks>&val2=<digest>&val3=<kind>&tid=<teacher ID>&sid=<slot>" on the path
/lumora/rsinfo/abnormalEndInfo.jsp, where val2 is the lower-case hex MD5 of the ANSI bytes of
val1 + "." + val3 + tid + sid. The answer is "result:true" with the MD5 of val2 as its code, the
echo the console checks (``answer_digest=False`` answers a wrong one).
"""

import hashlib
import http.server
import threading
import urllib.parse
from dataclasses import dataclass, field
from typing import Dict

from peer_common import DEFAULT_TIMEOUT, Journal

REPORT_PATH = "/lumora/rsinfo/abnormalEndInfo.jsp"


def md5_hex(text):
    return hashlib.md5(text.encode("cp949", "replace")).hexdigest()


@dataclass
class Report:
    path: str
    fields: Dict[str, str] = field(default_factory=dict)

    @property
    def digest_ok(self):
        f = self.fields
        expected = md5_hex(f.get("val1", "") + "." + f.get("val3", "") + f.get("tid", "") + f.get("sid", ""))
        return f.get("val2") == expected


class WebService:
    def __init__(self, host="127.0.0.1", port=0, answer_digest=True):
        self.answer_digest = answer_digest
        self.reports = Journal()
        self._open = threading.Event()
        self._open.set()
        service = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.0"

            def log_message(self, *args):
                pass

            def do_GET(self):
                path, _, query = self.path.partition("?")
                report = Report(path, dict(urllib.parse.parse_qsl(query, keep_blank_values=True)))
                service.reports.append(report)
                service._open.wait(120)
                code = md5_hex(report.fields.get("val2", "")) if service.answer_digest else "0"
                body = f"result:true\r\ncode:{code}\r\nmessage:ok\r\n".encode("latin-1")
                if path != REPORT_PATH:
                    self.send_response(404)
                    body = b"not found"
                else:
                    self.send_response(200)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

        self._server = http.server.ThreadingHTTPServer((host, port), Handler)
        self._server.daemon_threads = True
        self.port = self._server.server_address[1]
        self.url = f"http://{host}:{self.port}"
        self._thread = None

    def start(self):
        self._thread = threading.Thread(target=self._server.serve_forever, name="web-service", daemon=True)
        self._thread.start()
        return self

    def hold(self):
        self._open.clear()

    def release(self):
        self._open.set()

    def wait_report(self, slot, timeout=DEFAULT_TIMEOUT):
        """The first report about that slot number."""
        return self.reports.wait(lambda report: report.fields.get("sid") == str(slot), timeout,
                                 what=f"report about slot {slot}")

    def stop(self):
        self.release()
        self._server.shutdown()
        self._server.server_close()
