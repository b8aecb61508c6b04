// A stand-in for the system-information tool: when started, it writes its own path and how it was
// asked to show its window to C:\spirex-tests\started.txt, then exits.
#include <cstdio>
#include <windows.h>

int main() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;

    std::FILE* out = std::fopen("C:\\spirex-tests\\started.tmp", "w");
    if (out == nullptr) {
        return 1;
    }
    std::fprintf(out, "%s\n%d\n", path, show);
    std::fclose(out);
    // Appears whole or not at all.
    MoveFileExA("C:\\spirex-tests\\started.tmp", "C:\\spirex-tests\\started.txt",
                MOVEFILE_REPLACE_EXISTING);
    return 0;
}
