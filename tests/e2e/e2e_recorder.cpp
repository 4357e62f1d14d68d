// e2e-recorder.exe: a stand-in for an external program. It appends its
// arguments, one per line (UTF-8), then a line "--", to the file named by its
// first argument. Started without arguments (as a click on a link to it starts
// it) it stays for PATHBOOK_RECORDER_WAIT milliseconds: a program slow to start.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        wchar_t wait[16] = {};
        if (GetEnvironmentVariableW(L"PATHBOOK_RECORDER_WAIT", wait, 16) > 0) Sleep(static_cast<DWORD>(_wtoi(wait)));
        return 2;
    }
    FILE* out = _wfopen(argv[1], L"ab");
    if (out == nullptr) return 1;
    for (int i = 2; i < argc; ++i) {
        char text[1024];
        int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, text, sizeof text, nullptr, nullptr);
        if (size > 0) std::fprintf(out, "%s\n", text);
    }
    std::fprintf(out, "--\n");
    std::fclose(out);
    return 0;
}
