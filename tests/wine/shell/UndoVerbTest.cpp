// "&Undo last Tessaly batch" from the real DLL: offered only for a file that the last batch of
// its folder made, with its help text; chosen, it asks, puts the files back on the real disk,
// says what it did, and is offered no more. The journal lies where the DLL keeps journals.
#include "host/SelectionDataObject.h"
#include "journal/Hash64.h"
#include "journal/Journal.h"
#include "journal/JournalStore.h"
#include "platform/KnownFolders.h"
#include "platform/Win32FileSystem.h"
#include "support/DialogDriver.h"
#include "support/TempFolder.h"
#include "support/TessalyModule.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

class UndoVerb : public ::testing::Test {
protected:
    TessalyModule module;
    TempFolder folder;
    Win32FileSystem disk;
    IShellExtInit* init = nullptr;
    IContextMenu* menu = nullptr;
    std::string journalPath;

    void SetUp() override {
        ASSERT_TRUE(module.loaded());
        ASSERT_EQ(S_OK, module.CreateHandler(IID_IShellExtInit, reinterpret_cast<void**>(&init)));
        ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
    }
    void TearDown() override {
        if (menu != nullptr)
            menu->Release();
        if (init != nullptr)
            init->Release();
        for (const char* state : {".finished", ".undoing", ".undone", ".names"})
            disk.removeFile(journalPath.substr(0, journalPath.rfind('.')) + state);
    }

    // IMG_1.jpg renamed to r1.jpg with its copy sml.r1.jpg, as a finished batch left them.
    void finishedBatch() {
        const std::string renamed = folder.write("r1.jpg", "the picture");
        const std::string copy = folder.write("sml.r1.jpg", "its copy");
        folder.write("other.jpg", "a file the batch never saw");
        Journal journal;
        journal.batchId = "0000000000000001undo";
        journal.folder = folder.path();
        journal.entries.push_back({"IMG_1.jpg", "r1.jpg", "", "sml.r1.jpg",
                                   "~Tessaly-0000000000000001undo-c0.tmp", *disk.facts(renamed),
                                   disk.identity(renamed)});
        CopyRecord written;
        written.size = disk.facts(copy)->size;
        written.hash = hash64(readFile(copy));
        written.complete = true;
        written.lastWrite = disk.facts(copy)->lastWrite;
        written.identity = disk.identity(copy);
        const std::string text = journalPlanText(journal) + journalWritingLine(0, written) +
                                 journalCopyLine(kJournalVersion, 0, written) +
                                 journalStateLine(JournalState::Finished);
        ASSERT_TRUE(disk.createFolder(journalFolder()));
        journalPath =
            journalFolder() + folderKey(folder.path()) + "-" + journal.batchId + ".finished";
        ASSERT_TRUE(disk.writeNewFile(journalPath, text));
    }

    void select(const std::string& name) {
        IDataObject* data = host::CreateSelectionDataObject({folder.path() + name});
        ASSERT_NE(nullptr, data);
        init->Initialize(nullptr, data, nullptr);
        data->Release();
    }

    std::vector<std::string> entries() {
        HMENU popup = CreatePopupMenu();
        menu->QueryContextMenu(popup, 0, 100, 200, CMF_NORMAL);
        std::vector<std::string> texts;
        for (int i = 1; i < GetMenuItemCount(popup); ++i) {
            char text[128] = "";
            GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            texts.push_back(text);
        }
        DestroyMenu(popup);
        return texts;
    }
};

const std::vector<std::string> kTwo = {"&Rename/Resize with Tessaly", "&View with Orrinde"};
const std::vector<std::string> kThree = {"&Rename/Resize with Tessaly", "&View with Orrinde",
                                         "&Undo last Tessaly batch"};

TEST_F(UndoVerb, OfferedForTheLastBatchsFilesAndUndoesIt) {
    finishedBatch();
    select("other.jpg");
    EXPECT_EQ(kTwo, entries());
    select("sml.r1.jpg");
    EXPECT_EQ(kThree, entries());
    wchar_t help[128] = L"";
    EXPECT_EQ(S_OK, menu->GetCommandString(2, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(help),
                                           128));
    EXPECT_STREQ(L"Undo the last Tessaly batch that changed the selected files", help);

    host::AnsweredBox question, told;
    DialogScript script([&] {
        question = host::AnswerMessageBox("Tessaly Notice", IDYES);
        told = host::AnswerMessageBox("Tessaly Notice", IDOK);
    });
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof info;
    info.lpVerb = MAKEINTRESOURCEA(2);
    EXPECT_EQ(S_OK, menu->InvokeCommand(&info));
    script.Join();

    EXPECT_EQ("Do you want to undo the last Tessaly batch in \"" + folder.path() +
                  "\"?  The files it renamed go back to their old names, and the copies it "
                  "wrote are deleted, as far as they are unchanged.",
              question.text);
    EXPECT_EQ("Tessaly put 1 file back under its old name and deleted 1 copy.", told.text);
    EXPECT_EQ((std::set<std::string>{"IMG_1.jpg", "other.jpg"}), namesIn(folder.path()));
    EXPECT_EQ("the picture", readFile(folder.path() + "IMG_1.jpg"));
    select("IMG_1.jpg");
    EXPECT_EQ(kTwo, entries());
    EXPECT_TRUE(fileExists(journalPath.substr(0, journalPath.rfind('.')) + ".undone"));
}

} // namespace
} // namespace tessaly::test
