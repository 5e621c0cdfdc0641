// tcp_stream <port> <bytes> <connections>: the floor of the file-transfer benchmark
// (bench/file_send.py). Opens the connections to 127.0.0.1:<port> and sends <bytes> on each
// with plain blocking send() calls of 307200 bytes (one file piece), one thread per connection,
// then closes them. Exit code 0 when every byte went out.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

const int kChunk = 307200;

bool Stream(unsigned short port, long long bytes)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return false;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    std::vector<char> chunk(kChunk, '\x5a');
    for (long long left = bytes; ok && left > 0;) {
        const int wanted = static_cast<int>(left < kChunk ? left : kChunk);
        const int sent = send(s, chunk.data(), wanted, 0);
        ok = sent > 0;
        left -= sent;
    }
    shutdown(s, SD_BOTH);
    closesocket(s);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: tcp_stream <port> <bytes> <connections>\n");
        return 2;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return 1;
    const unsigned short port = static_cast<unsigned short>(std::atoi(argv[1]));
    const long long bytes = std::atoll(argv[2]);
    const int connections = std::atoi(argv[3]);
    std::vector<std::thread> threads;
    std::vector<char> results(static_cast<size_t>(connections), 0);
    for (int i = 0; i < connections; ++i)
        threads.emplace_back([&, i] { results[static_cast<size_t>(i)] = Stream(port, bytes) ? 1 : 0; });
    for (std::thread& thread : threads)
        thread.join();
    WSACleanup();
    for (char ok : results)
        if (!ok)
            return 1;
    return 0;
}
