// Makes another process crash the way a faulty thread would: starts a thread in it at address 0,
// so that thread's first instruction raises an access violation. Used by the end-to-end tests
// to reach a program's crash handling from outside, without any switch in the program.
//   crash_inject <process id>
// Exit code 0 once the thread is started, 1 when the process cannot be opened or the thread not
// started, 2 on a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: crash_inject <process id>\n");
        return 2;
    }
    char* end = nullptr;
    const unsigned long pid = std::strtoul(argv[1], &end, 0);
    if (!end || *end || pid == 0) {
        std::fprintf(stderr, "crash_inject: not a process id: %s\n", argv[1]);
        return 2;
    }
    HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                     PROCESS_VM_WRITE | PROCESS_VM_READ,
                                 FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "crash_inject: cannot open process %lu (error %lu)\n", pid, GetLastError());
        return 1;
    }
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, nullptr, nullptr, 0, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(process);
    if (!thread) {
        std::fprintf(stderr, "crash_inject: cannot start a thread in %lu (error %lu)\n", pid, error);
        return 1;
    }
    CloseHandle(thread);
    std::printf("{\"ok\":true}\n");
    return 0;
}
