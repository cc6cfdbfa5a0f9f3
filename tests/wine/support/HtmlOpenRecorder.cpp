#include "support/HtmlOpenRecorder.h"

#include "platform/WideText.h"

#include <cstring>

namespace tessaly::test {

namespace {
// Wine 8 reads the classes from HKEY_CLASSES_ROOT only (no per-user overlay), so the
// association is set there and put back afterwards.
const char kExtension[] = ".htm";
const char kProgId[] = "Tessaly.TestOpenRecorder";

bool setDefault(HKEY root, const std::string& subkey, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, wideFromUtf8(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring wide = wideFromUtf8(value);
    const LONG status =
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::optional<std::string> readDefault(HKEY root, const std::string& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, wideFromUtf8(subkey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> value;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&text[0]),
                             &size) == ERROR_SUCCESS)
            value = utf8FromWide(text.substr(0, text.find(L'\0')));
    }
    RegCloseKey(key);
    return value;
}

} // namespace

HtmlOpenRecorder::HtmlOpenRecorder() : recordFile_(folder_.path() + "opened.txt") {
    HKEY existing = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kExtension, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
        RegCloseKey(existing);
        earlierProgId_ = readDefault(HKEY_CLASSES_ROOT, kExtension);
        if (earlierProgId_ == std::string(kProgId)) // left by a test that died
            earlierProgId_.reset();
    } else {
        createdExtensionKey_ = true;
    }
    const std::string command =
        "\"" + programFolder() + "tessaly_open_recorder.exe\" \"" + recordFile_ + "\" \"%1\"";
    ready_ =
        setDefault(HKEY_CLASSES_ROOT, std::string(kProgId) + "\\shell\\open\\command", command) &&
        setDefault(HKEY_CLASSES_ROOT, kExtension, kProgId);
}

HtmlOpenRecorder::~HtmlOpenRecorder() {
    if (earlierProgId_) {
        setDefault(HKEY_CLASSES_ROOT, kExtension, *earlierProgId_);
    } else if (createdExtensionKey_) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, kExtension);
    } else {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kExtension, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, nullptr);
            RegCloseKey(key);
        }
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kProgId);
}

std::vector<std::wstring> HtmlOpenRecorder::opened(size_t expected) const {
    auto read = [this] {
        std::vector<std::wstring> targets;
        const std::string bytes = readFile(recordFile_);
        std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
        if (!text.empty())
            std::memcpy(&text[0], bytes.data(), text.size() * sizeof(wchar_t));
        size_t start = 0;
        for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
            targets.push_back(text.substr(start, end - start));
        return targets;
    };
    const DWORD deadline = GetTickCount() + 10000;
    while (read().size() < expected && static_cast<LONG>(deadline - GetTickCount()) > 0)
        Sleep(20);
    Sleep(300);
    return read();
}

} // namespace tessaly::test
