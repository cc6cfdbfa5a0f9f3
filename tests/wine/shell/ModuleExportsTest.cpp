// What Explorer's loader sees of Tessaly.dll: its export names and the DLLs it needs.
#include "support/TessalyModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace tessaly::test {
namespace {

const IMAGE_NT_HEADERS* ntHeaders(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
}

std::vector<std::string> exportNames(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DATA_DIRECTORY& dir =
        ntHeaders(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::vector<std::string> names;
    if (dir.VirtualAddress == 0)
        return names;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.push_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    if (exports->NumberOfFunctions != exports->NumberOfNames)
        names.push_back("<export by ordinal only>");
    return names;
}

std::vector<std::string> importedDlls(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DATA_DIRECTORY& dir =
        ntHeaders(module)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> dlls;
    const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; dir.VirtualAddress != 0 && entry->Name != 0; ++entry) {
        std::string name = reinterpret_cast<const char*>(base + entry->Name);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        dlls.push_back(name);
    }
    return dlls;
}

TEST(ModuleExports, ExactlyTheTwoComEntryPointsUndecorated) {
    TessalyModule module;
    ASSERT_TRUE(module.loaded());
    std::vector<std::string> names = exportNames(module.handle());
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"DllCanUnloadNow", "DllGetClassObject"}), names);
}

TEST(ModuleExports, ImportsWindowsSystemDllsOnly) {
    TessalyModule module;
    ASSERT_TRUE(module.loaded());
    const std::set<std::string> system = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",   "advapi32.dll", "shell32.dll", "ole32.dll",
        "oleaut32.dll", "comctl32.dll", "shlwapi.dll", "urlmon.dll",   "msvcrt.dll"};
    const std::vector<std::string> dlls = importedDlls(module.handle());
    EXPECT_FALSE(dlls.empty());
    for (const std::string& dll : dlls)
        EXPECT_TRUE(system.count(dll) == 1) << dll << " is not a Windows system DLL";
    // GDI+ serialises its calls across threads: pictures go through WIC, which COM loads.
    EXPECT_EQ(0, std::count(dlls.begin(), dlls.end(), "gdiplus.dll"));
}

} // namespace
} // namespace tessaly::test
