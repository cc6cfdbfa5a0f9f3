// Stands in for the browser in the tests: the shell's "open" command for HTML pages is pointed
// here as  "<this program>" "<record file>" "%1". Each start appends the opened target to the
// record file in UTF-16, one per line, so the test sees exactly what the shell was given.
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 3)
        return 1;
    int result = 1;
    // Appends from several starts must not overwrite each other.
    const HANDLE record = CreateFileW(argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (record != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        const DWORD bytes = static_cast<DWORD>(lstrlenW(argv[2]) * sizeof(WCHAR));
        if (WriteFile(record, argv[2], bytes, &written, nullptr) &&
            WriteFile(record, L"\n", sizeof(WCHAR), &written, nullptr))
            result = 0;
        CloseHandle(record);
    }
    LocalFree(argv);
    return result;
}
