// A real interruption: a batch of 2,000 files in a process of its own is ended with
// TerminateProcess halfway. The next invocation of the rename verb offers to put the files
// back; Yes leaves the folder as it was, but for the log.
#include "host/SelectionDataObject.h"
#include "platform/WideText.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/TempFolder.h"
#include "support/TessalyModule.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

constexpr int kFiles = 2000;

int renamedIn(const std::string& folder) {
    int renamed = 0;
    for (const std::string& name : namesIn(folder))
        renamed += name.rfind("x_", 0) == 0;
    return renamed;
}

TEST(InterruptedBatch, TheNextInvocationPutsTheFilesBack) {
    TempFolder folder;
    TempFolder elsewhere;
    std::set<std::string> before;
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "IMG_" + std::to_string(10000 + i) + ".jpg";
        folder.write(name, "picture " + std::to_string(i));
        before.insert(name);
    }

    // Without its last backslash, which would escape the closing quote.
    const std::string argument = folder.path().substr(0, folder.path().size() - 1);
    std::wstring command = L"\"" + wideFromUtf8(programFolder() + "tessaly_interrupted_batch.exe") +
                           L"\" \"" + wideFromUtf8(argument) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &child))
        << GetLastError();
    // Halfway through, the process ends at once: no destructor, no last record.
    const ULONGLONG deadline = GetTickCount64() + 120000;
    while (renamedIn(folder.path()) < kFiles / 2 && GetTickCount64() < deadline &&
           WaitForSingleObject(child.hProcess, 20) == WAIT_TIMEOUT) {
    }
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), exitCode) << "the batch ended by itself";
    TerminateProcess(child.hProcess, 9);
    WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    const int renamed = renamedIn(folder.path());
    ASSERT_GT(renamed, 0);
    ASSERT_LT(renamed, kFiles);

    // The next invocation, on another selection altogether.
    TessalyModule module;
    ASSERT_TRUE(module.loaded());
    IContextMenu* menu = nullptr;
    ASSERT_EQ(S_OK, module.CreateHandler(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
    IShellExtInit* init = nullptr;
    menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init));
    IDataObject* data = host::CreateSelectionDataObject({elsewhere.write("a.jpg")});
    init->Initialize(nullptr, data, nullptr);
    data->Release();
    init->Release();

    host::AnsweredBox question, told;
    bool dialogOpened = false;
    DialogScript script([&] {
        question = host::AnswerMessageBox("Tessaly Notice", IDYES);
        // Putting a thousand files back costs a second or more under Wine, whose renames in a
        // folder of n files cost O(n).
        told = host::AnswerMessageBox("Tessaly Notice", IDOK, 120000);
        // Then the command goes on as usual.
        const HWND dialog =
            WaitForDialogWithControl("Vexmoor Software Tessaly 3.1", IDC_RENAME_FILES);
        dialogOpened = dialog != nullptr;
        if (dialog != nullptr)
            PostClick(dialog, IDC_CANCEL);
    });
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof info;
    info.lpVerb = MAKEINTRESOURCEA(0);
    EXPECT_EQ(S_OK, menu->InvokeCommand(&info));
    script.Join();
    menu->Release();

    // The files the batch had touched, not all those it planned.
    EXPECT_EQ("Tessaly was interrupted while it renamed or resized files in \"" + folder.path() +
                  "\" and left " + std::to_string(renamed) +
                  " files not under their old names.\n\nDo you want to put everything back as it "
                  "was before the batch?",
              question.text);
    EXPECT_EQ("Tessaly put " + std::to_string(renamed) +
                  " files back under their old names and deleted 0 copies.",
              told.text);
    EXPECT_TRUE(dialogOpened);
    std::set<std::string> after = namesIn(folder.path());
    after.erase("Tessaly.log");
    EXPECT_EQ(before, after);
    EXPECT_EQ("picture 1999", readFile(folder.path() + "IMG_11999.jpg"));
}

} // namespace
} // namespace tessaly::test
