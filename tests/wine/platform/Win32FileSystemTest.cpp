// The real file system behind the batch: renames that never replace, times, text files.
#include "platform/WideText.h"
#include "platform/Win32FileSystem.h"
#include "support/RequestedRights.h"
#include "support/TempFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <memory>

namespace tessaly::test {
namespace {

// The names are passed whole: "\u0101" is not taken for its look-alike "a".
TEST(Win32FileSystem, RenameNeverReplacesAnExistingFile) {
    TempFolder folder;
    const std::string a = folder.write("\u0101.jpg", "AAA");
    const std::string b = folder.write("b.jpg", "BBB");
    folder.write("a.jpg", "look-alike");
    Win32FileSystem fs;
    EXPECT_EQ(FileResult::Failed, fs.renameNoReplace(a, b));
    EXPECT_EQ("AAA", readFile(a));
    EXPECT_EQ("BBB", readFile(b));
    EXPECT_EQ(FileResult::Done, fs.renameNoReplace(a, folder.path() + "c.jpg"));
    EXPECT_FALSE(fs.exists(a));
    EXPECT_EQ("AAA", readFile(folder.path() + "c.jpg"));
    EXPECT_EQ("look-alike", readFile(folder.path() + "a.jpg"));
}

TEST(Win32FileSystem, ExistsForFilesAndFolders) {
    TempFolder folder;
    Win32FileSystem fs;
    EXPECT_TRUE(fs.exists(folder.path()));
    EXPECT_TRUE(fs.exists(folder.write("x.jpg")));
    EXPECT_TRUE(fs.exists(folder.path() + "X.JPG")); // letter case is ignored
    EXPECT_FALSE(fs.exists(folder.path() + "y.jpg"));
}

// The file's own UTC time, converted exactly: no time zone's daylight-saving rule of today
// shifts a file of the other season, so two photos an hour apart across the change stay an
// hour apart and in order.
TEST(Win32FileSystem, ModificationTimeInUtcSeconds) {
    const struct {
        SYSTEMTIME when;
        std::int32_t seconds;
    } rows[] = {
        {{2008, 5, 1, 12, 10, 20, 30, 0}, 1210587630},
        // Either side of the change to summer time in Europe, 2021-03-28 01:00 UTC.
        {{2021, 3, 0, 28, 0, 30, 0, 0}, 1616891400},
        {{2021, 3, 0, 28, 1, 30, 0, 0}, 1616895000},
        // Either side of the change back, 2021-10-31 01:00 UTC.
        {{2021, 10, 0, 31, 0, 30, 0, 0}, 1635640200},
        {{2021, 10, 0, 31, 1, 30, 0, 0}, 1635643800},
    };
    TempFolder folder;
    const std::string path = folder.write("\u30b2\u30fc\u30e0.jpg");
    Win32FileSystem fs;
    for (const auto& row : rows) {
        FILETIME stamp;
        SystemTimeToFileTime(&row.when, &stamp);
        HANDLE file = CreateFileW(wideFromUtf8(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        SetFileTime(file, nullptr, nullptr, &stamp);
        CloseHandle(file);
        EXPECT_EQ(std::optional<std::int32_t>(row.seconds), fs.modificationTime(path));
    }
    EXPECT_EQ(std::nullopt, fs.modificationTime(folder.path() + "missing.jpg"));
}

// What a window registered for a folder's changes, as an Explorer view registers, heard.
std::vector<std::string>* heardChanges = nullptr;
constexpr UINT kChanged = WM_APP + 7;

std::string lastName(PCIDLIST_ABSOLUTE pidl) {
    wchar_t path[MAX_PATH] = L"";
    if (pidl == nullptr || !SHGetPathFromIDListW(pidl, path))
        return "?";
    const std::string full = utf8FromWide(path, wcslen(path));
    return full.substr(full.find_last_of('\\') + 1);
}

LRESULT CALLBACK ListenForChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kChanged || heardChanges == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    PIDLIST_ABSOLUTE* pidls = nullptr;
    LONG event = 0;
    const HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam),
                                                  static_cast<DWORD>(lParam), &pidls, &event);
    if (lock != nullptr) {
        if (event == SHCNE_RENAMEITEM)
            heardChanges->push_back("rename " + lastName(pidls[0]) + " " + lastName(pidls[1]));
        else if (event == SHCNE_CREATE)
            heardChanges->push_back("create " + lastName(pidls[0]));
        else if (event == SHCNE_DELETE)
            heardChanges->push_back("delete " + lastName(pidls[0]));
        SHChangeNotification_Unlock(lock);
    }
    return 0;
}

// The shell hears of every rename, new file and deletion, so that every view of the folder
// (a network share's too) shows them without a refresh.
TEST(Win32FileSystem, TheShellHearsOfEveryChange) {
    TempFolder folder;
    WNDCLASSW kind = {};
    kind.lpfnWndProc = ListenForChanges;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.lpszClassName = L"TessalyChangeListener";
    RegisterClassW(&kind);
    const HWND window = CreateWindowExW(0, kind.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, kind.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    PIDLIST_ABSOLUTE watched = ILCreateFromPathW(wideFromUtf8(folder.path()).c_str());
    ASSERT_NE(nullptr, watched);
    SHChangeNotifyEntry entry = {watched, TRUE};
    const ULONG registration = SHChangeNotifyRegister(
        window, SHCNRF_ShellLevel | SHCNRF_InterruptLevel | SHCNRF_NewDelivery,
        SHCNE_RENAMEITEM | SHCNE_CREATE | SHCNE_DELETE, kChanged, 1, &entry);
    ASSERT_NE(0u, registration);
    std::vector<std::string> heard;
    heardChanges = &heard;

    Win32FileSystem fs;
    const std::string a = folder.write("a.jpg");
    ASSERT_EQ(FileResult::Done, fs.renameNoReplace(a, folder.path() + "b.jpg"));
    ASSERT_TRUE(fs.writeNewFile(folder.path() + "~t.tmp", "copy"));
    ASSERT_EQ(FileResult::Done,
              fs.placeFile(folder.path() + "~t.tmp", folder.path() + "sml.b.jpg", false));
    ASSERT_TRUE(fs.createTextFile(folder.path() + "Tessaly.log", TextForm::AnsiCodePage));
    ASSERT_EQ(FileResult::Done, fs.removeFile(folder.path() + "sml.b.jpg"));

    for (const ULONGLONG until = GetTickCount64() + 5000;
         heard.size() < 4 && GetTickCount64() < until;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(20);
    }
    heardChanges = nullptr;
    SHChangeNotifyDeregister(registration);
    ILFree(watched);
    DestroyWindow(window);
    EXPECT_EQ((std::vector<std::string>{"rename a.jpg b.jpg", "create sml.b.jpg",
                                        "create Tessaly.log", "delete sml.b.jpg"}),
              heard);
}

// A file that another program holds open for a moment: the rename says so, to be tried again.
TEST(Win32FileSystem, ARenameOfAFileHeldOpenIsBusy) {
    TempFolder folder;
    const std::string path = folder.write("held.jpg");
    HANDLE held = CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Win32FileSystem fs;
    EXPECT_EQ(FileResult::Busy, fs.renameNoReplace(path, folder.path() + "moved.jpg"));
    CloseHandle(held);
    EXPECT_EQ(FileResult::Done, fs.renameNoReplace(path, folder.path() + "moved.jpg"));
}

// A listing tells each file's size, time and identity, which stays through a rename; a folder
// that is gone cannot be listed, which is not an empty folder.
TEST(Win32FileSystem, AListingTellsIdentitiesThatStayThroughARename) {
    TempFolder folder;
    Win32FileSystem fs;
    const std::string a = folder.write("a.jpg", "AAA");
    folder.write("b.jpg", "BB");
    CreateDirectoryW(wideFromUtf8(folder.path() + "sub").c_str(), nullptr);
    const std::string identity = fs.identity(a);
    EXPECT_FALSE(identity.empty()); // Wine's files, as NTFS, keep one
    ASSERT_EQ(FileResult::Done, fs.renameNoReplace(a, folder.path() + "c.jpg"));
    const std::optional<FolderListing> listing = fs.listFolder(folder.path());
    ASSERT_TRUE(listing);
    std::map<std::string, FolderEntry> byName;
    for (const FolderEntry& entry : listing->entries)
        byName[entry.name] = entry;
    ASSERT_EQ(3u, byName.size());
    ASSERT_EQ(1u, byName.count("c.jpg"));
    EXPECT_EQ(identity, byName["c.jpg"].identity);
    EXPECT_NE(identity, byName["b.jpg"].identity);
    EXPECT_EQ(3u, byName["c.jpg"].facts.size);
    EXPECT_EQ(fs.facts(folder.path() + "c.jpg")->lastWrite, byName["c.jpg"].facts.lastWrite);
    EXPECT_TRUE(byName["sub"].facts.folder);
    EXPECT_FALSE(fs.listFolder(folder.path() + "gone\\"));
}

// Windows asks GENERIC_WRITE of a handle for FlushFileBuffers (Wine does not check): every open
// of a journal asks for it, and for no sharing.
TEST(Win32FileSystem, AJournalIsOpenedWithTheRightsItsCallsNeed) {
    TempFolder folder;
    Win32FileSystem fs;
    const std::string path = folder.path() + "j.running";
    std::vector<std::pair<std::wstring, DWORD>> requests;
    {
        RequestedFileRights requested;
        {
            const std::unique_ptr<TextFile> created = fs.createHeldFile(path);
            ASSERT_TRUE(created);
            EXPECT_TRUE(created->write("plan\n") && created->flush() && created->close());
        }
        bool busy = true;
        const std::unique_ptr<TextFile> appended =
            fs.appendFile(path, FileSystem::Hold::Held, &busy);
        ASSERT_TRUE(appended);
        EXPECT_FALSE(busy);
        EXPECT_TRUE(appended->write("finished\n") && appended->flush() && appended->close());
        requests = requested.requests();
    }
    int opens = 0;
    for (const auto& [opened, rights] : requests) {
        if (opened.find(L"j.running") == std::wstring::npos)
            continue;
        ++opens;
        EXPECT_EQ(static_cast<DWORD>(GENERIC_WRITE), rights & GENERIC_WRITE) << std::hex << rights;
    }
    EXPECT_EQ(2, opens);
    EXPECT_EQ("plan\r\nfinished\r\n", readFile(path));
}

TEST(Win32FileSystem, TextFilesHaveCrLfAndReplaceEarlierContent) {
    TempFolder folder;
    const std::string path = folder.write("log.txt", "an older and longer content");
    Win32FileSystem fs;
    {
        std::unique_ptr<TextFile> file = fs.createTextFile(path, TextForm::AnsiCodePage);
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->write("line\n\n"));
        EXPECT_TRUE(file->close());
    }
    EXPECT_EQ("line\r\n\r\n", readFile(path));
    EXPECT_FALSE(
        fs.createTextFile(folder.path() + "no-such-folder\\log.txt", TextForm::AnsiCodePage));
}

// In the code page where every character has its own form there; otherwise UTF-8 with a
// byte-order mark, never a look-alike ("a" for "ā") or a question mark.
TEST(Win32FileSystem, TextFilesKeepTheCodePageWhereEveryCharacterFits) {
    ASSERT_EQ(1252u, GetACP());
    const struct {
        const char* text;
        const char* stored;
    } cases[] = {
        {"C:\\Fotos\\a.jpg\n", "C:\\Fotos\\a.jpg\r\n"},
        {"\u00e9t\u00e9 \u20ac\n", "\xe9t\xe9 \x80\r\n"},
        {"\u00e9 \u0101\n", "\xef\xbb\xbf\u00e9 \u0101\r\n"},
        {"\U0001F600", "\xef\xbb\xbf\U0001F600"},
        {"\uff0e\uff0e\uff3c", "\xef\xbb\xbf\uff0e\uff0e\uff3c"},
    };
    TempFolder folder;
    Win32FileSystem fs;
    for (const auto& c : cases) {
        const std::string path = folder.path() + "\u03a6.txt";
        const TextForm form = fs.textFormFor(c.text);
        EXPECT_EQ(std::string(c.stored).rfind("\xef\xbb\xbf", 0) != 0,
                  form == TextForm::AnsiCodePage)
            << c.text;
        fs.createTextFile(path, form)->write(c.text);
        EXPECT_EQ(c.stored, readFile(path)) << c.text;
    }
}

} // namespace
} // namespace tessaly::test
