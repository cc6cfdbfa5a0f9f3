// Whole batches on real files in a temporary folder, through the composition the rename verb
// calls: MoveFileW, GDI+, the log file, the real progress window and the real result dialog
// (read and closed from a second thread).
#include "naming/NameConflicts.h"
#include "batch/Win32Batch.h"
#include "imaging/WicResizer.h"
#include "platform/WideText.h"
#include "platform/Win32FileSystem.h"
#include "resources/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/Pictures.h"
#include "support/LogHeader.h"
#include "support/TempFolder.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>

namespace tessaly::test {
namespace {

const char* const kCaption = "Vexmoor Software Tessaly 3.1";

// What the result dialog showed, read by the second thread before it pressed OK.
struct ResultSeen {
    bool shown = false;
    bool progressGone = false; // the progress window had gone before the result came
    HWND owner = reinterpret_cast<HWND>(1);
    std::string doneLabel, done, notDoneLabel, notDone, logFile;
};

// The progress window as it was when it went: read on the batch's own thread, by a hook on the
// destruction of its window.
struct ProgressSeen {
    int destroyed = 0;
    HWND owner = nullptr;
    std::string doneLabel, done, notDoneLabel, notDone;
    int bar = -1;
};

ProgressSeen* watchedProgress = nullptr;

LRESULT CALLBACK WatchDestruction(int code, WPARAM wParam, LPARAM lParam) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_DESTROYWND && watchedProgress != nullptr &&
        GetDlgItem(window, IDC_PROGRESS_BAR) != nullptr) {
        ProgressSeen& seen = *watchedProgress;
        ++seen.destroyed;
        seen.owner = GetWindow(window, GW_OWNER);
        seen.doneLabel = ControlText(window, IDC_DONE_LABEL);
        seen.done = ControlText(window, IDC_DONE_COUNT);
        seen.notDoneLabel = ControlText(window, IDC_NOT_DONE_LABEL);
        seen.notDone = ControlText(window, IDC_NOT_DONE_COUNT);
        seen.bar =
            static_cast<int>(SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class WineBatch : public ::testing::Test {
protected:
    TempFolder folder;
    std::vector<FileEntry> files;
    std::unique_ptr<BatchJob> job;
    HWND owner = nullptr;
    ProgressSeen progress;
    HHOOK hook = nullptr;

    void SetUp() override {
        // Explorer's window, in the foreground when the batch starts.
        owner = CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 200,
                                700, 500, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, owner);
        SetForegroundWindow(owner);
        watchedProgress = &progress;
        hook = SetWindowsHookExA(WH_CBT, WatchDestruction, nullptr, GetCurrentThreadId());
        ASSERT_NE(nullptr, hook);
    }
    void TearDown() override {
        if (hook != nullptr)
            UnhookWindowsHookEx(hook);
        watchedProgress = nullptr;
        job.reset();
        if (owner != nullptr)
            DestroyWindow(owner);
    }

    // The job over these names in the folder, with GDI+ started by its resizer.
    void select(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            files.push_back({folder.path() + name});
        job = std::make_unique<BatchJob>(files, std::make_unique<WicResizer>());
    }

    // The overwrite questions the batch asked, each answered with Yes.
    std::vector<std::string> questions;

    // Runs the batch as the verb will, while a second thread reads the result dialog and
    // presses its OK, answering Yes to every overwrite question before it. invoking: the window
    // the shell named, if any.
    ResultSeen run(HWND invoking = nullptr) {
        ResultSeen seen;
        DialogScript script([&] {
            HWND dialog = nullptr;
            for (int waited = 0; dialog == nullptr && waited < 600; ++waited) {
                if (const HWND question = WaitForDialog("Warning", 0)) {
                    questions.push_back(ControlText(question, 0xFFFF));
                    ClickButton(question, IDYES);
                    WaitUntilGone(question);
                }
                dialog = WaitForDialogWithControl(kCaption, IDC_LOG_FILE, 100);
            }
            if (dialog == nullptr)
                return;
            seen.shown = true;
            seen.progressGone = WaitForDialogWithControl(kCaption, IDC_PROGRESS_BAR, 0) == nullptr;
            seen.owner = GetWindow(dialog, GW_OWNER);
            seen.doneLabel = ControlText(dialog, IDC_DONE_LABEL);
            seen.done = ControlText(dialog, IDC_DONE_COUNT);
            seen.notDoneLabel = ControlText(dialog, IDC_NOT_DONE_LABEL);
            seen.notDone = ControlText(dialog, IDC_NOT_DONE_COUNT);
            seen.logFile = ControlText(dialog, IDC_LOG_FILE);
            ClickButton(dialog, IDC_OK);
        });
        RunBatch(*job, files, invoking);
        script.Join();
        return seen;
    }

    // What a batch that stops at a "File write error" message showed.
    struct MessageSeen {
        std::string text;
        HWND owner = reinterpret_cast<HWND>(1);
        ResultSeen result;
    };

    // Runs the batch while a second thread answers the message and then the result dialog.
    MessageSeen runAnsweringMessage() {
        MessageSeen seen;
        DialogScript script([&] {
            const HWND message = WaitForDialog("File write error");
            if (message == nullptr)
                return;
            seen.text = ControlText(message, 0xFFFF); // a message box's text
            seen.owner = GetWindow(message, GW_OWNER);
            ClickButton(message, IDOK);
            const HWND dialog = WaitForDialogWithControl(kCaption, IDC_LOG_FILE);
            if (dialog == nullptr)
                return;
            seen.result.shown = true;
            seen.result.done = ControlText(dialog, IDC_DONE_COUNT);
            seen.result.notDone = ControlText(dialog, IDC_NOT_DONE_COUNT);
            seen.result.logFile = ControlText(dialog, IDC_LOG_FILE);
            ClickButton(dialog, IDC_OK);
        });
        RunBatch(*job, files, nullptr);
        script.Join();
        return seen;
    }
};

TEST_F(WineBatch, RenamesAndResizesWithTheRealWindows) {
    select({"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0013.JPG"});
    std::vector<std::string> pictures;
    for (const FileEntry& file : files) {
        ASSERT_TRUE(writePicture(file.path, 800, 600, L"image/jpeg")) << file.path;
        pictures.push_back(readFile(file.path));
    }
    job->setRemovedCount(4);
    job->setNewPrefix("Rome_");
    job->setRenumber(1, 3, 1);
    job->setRename(true);
    job->setResize(true);
    job->setResizeWidth(320);
    job->setResizePrefix("sml.");
    Win32FileSystem fileSystem;
    ASSERT_EQ(std::nullopt, CheckNameConflicts(*job, files, fileSystem).firstTaken);

    const ResultSeen result = run();

    ASSERT_TRUE(result.shown);
    EXPECT_TRUE(result.progressGone);
    // Without a window of the shell's, the result has no owner and the progress window is the
    // foreground window's.
    EXPECT_EQ(nullptr, result.owner);
    EXPECT_EQ("Files renamed/resized:", result.doneLabel);
    EXPECT_EQ("3", result.done);
    EXPECT_EQ("Files not renamed/resized:", result.notDoneLabel);
    EXPECT_EQ("0", result.notDone);
    EXPECT_EQ(folder.path() + "Tessaly.log", result.logFile);

    EXPECT_EQ(1, progress.destroyed);
    EXPECT_EQ(owner, progress.owner);
    EXPECT_EQ("Files renamed/resized:", progress.doneLabel);
    EXPECT_EQ("3", progress.done);
    EXPECT_EQ("0", progress.notDone);
    EXPECT_EQ(100, progress.bar);

    EXPECT_EQ(
        (std::set<std::string>{"Rome_001.JPG", "Rome_002.JPG", "Rome_003.JPG", "sml.Rome_001.JPG",
                               "sml.Rome_002.JPG", "sml.Rome_003.JPG", "Tessaly.log"}),
        namesIn(folder.path()));
    for (int i = 0; i < 3; ++i) {
        const std::string name = "Rome_00" + std::to_string(i + 1) + ".JPG";
        EXPECT_EQ(pictures[static_cast<std::size_t>(i)], readFile(folder.path() + name)) << name;
        const PictureFacts copy = readPicture(folder.path() + "sml." + name);
        EXPECT_EQ(320u, copy.width) << name;
        EXPECT_EQ(240u, copy.height) << name;
    }
    EXPECT_EQ("All files were renamed and resized successfully\r\n\r\n"
              "Number of files renamed/resized: 3\r\n",
              logAfterHeader(readFile(folder.path() + "Tessaly.log")));
    EXPECT_TRUE(questions.empty());
}

// Photos of 24 megapixels: while the workers decode them, the progress window answers a message
// within 100 ms at any moment, and its Stop ends the batch after the file in hand, the rest left
// as they were and counted as not done.
TEST_F(WineBatch, TheProgressWindowAnswersDuringLongDecodesAndStops) {
    select({"P1.JPG", "P2.JPG", "P3.JPG", "P4.JPG", "P5.JPG", "P6.JPG"});
    for (const FileEntry& file : files)
        ASSERT_TRUE(writePicture(file.path, 6000, 4000, L"image/jpeg")) << file.path;
    job->setResize(true);
    job->setResizeWidth(640);
    job->setResizePrefix("sml.");
    int answered = 0;
    int late = 0;
    ResultSeen seen;
    DialogScript script([&] {
        const HWND window = WaitForDialogWithControl(kCaption, IDC_STOP, 60000);
        if (window == nullptr)
            return;
        // Asked all the while the first copy is made.
        while (!fileExists(folder.path() + "sml.P1.JPG")) {
            DWORD_PTR result = 0;
            if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) != 0)
                ++answered;
            else
                ++late;
            Sleep(20);
        }
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_STOP, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_STOP)));
        const HWND dialog = WaitForDialogWithControl(kCaption, IDC_LOG_FILE, 120000);
        if (dialog == nullptr)
            return;
        seen.shown = true;
        seen.done = ControlText(dialog, IDC_DONE_COUNT);
        seen.notDone = ControlText(dialog, IDC_NOT_DONE_COUNT);
        ClickButton(dialog, IDC_OK);
    });
    RunBatch(*job, files, nullptr);
    script.Join();

    EXPECT_LT(5, answered);
    EXPECT_EQ(0, late);
    ASSERT_TRUE(seen.shown);
    const int done = std::stoi(seen.done);
    EXPECT_LE(1, done);
    EXPECT_LE(1, std::stoi(seen.notDone));
    EXPECT_EQ(6, done + std::stoi(seen.notDone));
    int copies = 0;
    for (const std::string& name : namesIn(folder.path()))
        copies += name.rfind("sml.", 0) == 0;
    EXPECT_EQ(done, copies);
    EXPECT_NE(
        std::string::npos,
        readFile(folder.path() + "Tessaly.log").find("The batch was stopped by the user.\r\n"));
}

// Yes to every overwrite question: the selected sml.IMG_0001.jpg is still not replaced by the
// copy of IMG_0001.jpg, and is resized itself; only the other file's copy is asked about.
TEST_F(WineBatch, ACopyNeverReplacesASelectedFile) {
    select({"IMG_0001.jpg", "IMG_0002.jpg", "sml.IMG_0001.jpg"});
    for (const FileEntry& file : files)
        ASSERT_TRUE(writePicture(file.path, 800, 600, L"image/jpeg")) << file.path;
    const std::string selected = readFile(folder.path() + "sml.IMG_0001.jpg");
    folder.write("sml.IMG_0002.jpg", "an older copy");
    job->setResize(true);
    job->setResizeWidth(320);
    job->setResizePrefix("sml.");

    const ResultSeen result = run();

    ASSERT_TRUE(result.shown);
    EXPECT_EQ("2", result.done);
    EXPECT_EQ("1", result.notDone);
    EXPECT_EQ(selected, readFile(folder.path() + "sml.IMG_0001.jpg"));
    ASSERT_EQ(1u, questions.size());
    EXPECT_NE(std::string::npos, questions[0].find("sml.IMG_0002.jpg"));
    EXPECT_EQ((std::set<std::string>{"IMG_0001.jpg", "IMG_0002.jpg", "sml.IMG_0001.jpg",
                                     "sml.IMG_0002.jpg", "sml.sml.IMG_0001.jpg", "Tessaly.log"}),
              namesIn(folder.path()));
    EXPECT_EQ("Files which could not be resized:\r\n\r\n  " + folder.path() +
                  "IMG_0001.jpg\r\n\r\nNumber of files resized successfully: 2\r\n",
              logAfterHeader(readFile(folder.path() + "Tessaly.log")));
}

TEST_F(WineBatch, ATakenNameIsNeverReplacedAndTheLogListsTheFile) {
    select({"a1.jpg", "a2.jpg", "a3.jpg"});
    folder.write("a1.jpg", "first");
    folder.write("a2.jpg", "second");
    folder.write("a3.jpg", "third");
    job->setEntirePrefixRemoved(true);
    job->setNewPrefix("x");
    job->setRename(true);

    const ResultSeen result = run();

    ASSERT_TRUE(result.shown);
    EXPECT_EQ("Files renamed:", result.doneLabel);
    EXPECT_EQ("1", result.done);
    EXPECT_EQ("Files not renamed:", result.notDoneLabel);
    EXPECT_EQ("2", result.notDone);
    EXPECT_EQ("2", progress.notDone);

    EXPECT_EQ((std::set<std::string>{"a2.jpg", "a3.jpg", "x.jpg", "Tessaly.log"}),
              namesIn(folder.path()));
    EXPECT_EQ("first", readFile(folder.path() + "x.jpg"));
    EXPECT_EQ("second", readFile(folder.path() + "a2.jpg"));
    EXPECT_EQ("third", readFile(folder.path() + "a3.jpg"));
    EXPECT_EQ("Files which could not be renamed:\r\n\r\n"
              "  " +
                  folder.path() +
                  "a2.jpg\r\n"
                  "  " +
                  folder.path() +
                  "a3.jpg\r\n"
                  "\r\nNumber of files renamed successfully: 1\r\n",
              logAfterHeader(readFile(folder.path() + "Tessaly.log")));
}

TEST_F(WineBatch, ALogThatCannotBeCreatedIsReportedAndNoFileIsTouched) {
    select({"a1.jpg", "a2.jpg"});
    folder.write("a1.jpg", "first");
    folder.write("a2.jpg", "second");
    // A folder where the log would go: the file cannot be created.
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(folder.path() + "Tessaly.log").c_str(), nullptr));
    job->setNewPrefix("n");
    job->setRename(true);

    const MessageSeen seen = runAnsweringMessage();

    EXPECT_EQ("Can not write to the selected directory", seen.text);
    EXPECT_EQ(nullptr, seen.owner);
    ASSERT_TRUE(seen.result.shown);
    EXPECT_EQ("0", seen.result.done);
    EXPECT_EQ("2", seen.result.notDone);
    EXPECT_EQ(folder.path() + "Tessaly.log", seen.result.logFile);
    EXPECT_EQ((std::set<std::string>{"a1.jpg", "a2.jpg", "Tessaly.log"}), namesIn(folder.path()));
    EXPECT_EQ("first", readFile(folder.path() + "a1.jpg"));
}

// The user's own file of that name, in another letter case, is selected: creating the log
// would destroy it.
TEST_F(WineBatch, ASelectedFileIsNeverReplacedByTheLog) {
    select({"a1.jpg", "tessaly.LOG"});
    folder.write("a1.jpg", "first");
    folder.write("tessaly.LOG", "my notes");
    job->setNewPrefix("n");
    job->setRename(true);

    const MessageSeen seen = runAnsweringMessage();

    EXPECT_EQ("The log file can not be written over the selected file \"" + folder.path() +
                  "Tessaly.log\". No file was renamed or resized.",
              seen.text);
    EXPECT_EQ(nullptr, seen.owner);
    ASSERT_TRUE(seen.result.shown);
    EXPECT_EQ("2", seen.result.notDone);
    EXPECT_EQ((std::set<std::string>{"a1.jpg", "tessaly.LOG"}), namesIn(folder.path()));
    EXPECT_EQ("my notes", readFile(folder.path() + "tessaly.LOG"));
}

// The window the shell named owns both windows of the batch, whatever is in the foreground.
TEST_F(WineBatch, TheInvokingWindowOwnsTheProgressAndTheResult) {
    select({"a1.jpg"});
    folder.write("a1.jpg", "first");
    job->setNewPrefix("n");
    job->setRename(true);
    const HWND invoking = CreateWindowExA(0, "STATIC", "Explorer", WS_POPUP | WS_VISIBLE, 0, 0, 300,
                                          200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, invoking);
    SetForegroundWindow(owner);

    const ResultSeen result = run(invoking);

    EXPECT_EQ(invoking, result.owner);
    EXPECT_EQ(invoking, progress.owner);
    DestroyWindow(invoking);
}

// Names that Windows' ordinary path handling would rewrite (a last blank or dot dropped), each
// beside the twin it would land on, and a folder nested past 300 characters: only the selected
// files change, and the log goes into their own folder.
TEST_F(WineBatch, NamesWindowsWouldRewriteAndLongPathsAreTakenAsSpelled) {
    const std::string picture = folder.path() + "model.jpg";
    ASSERT_TRUE(writePicture(picture, 640, 480, L"image/jpeg"));
    const std::string bytes = readFile(picture);
    DeleteFileW(wideFromUtf8(picture).c_str());
    std::string deep = folder.path();
    while (deep.size() < 300)
        deep += "nested folder\\";
    const struct {
        const char* name;
        std::string folder;                // of the selected files, made for the row
        std::vector<std::string> selected; // in it
        std::vector<std::string> twins;    // unselected, in the row's base folder
        bool resize;
        std::set<std::string> after; // the selected files' folder afterwards
    } rows[] = {
        {"names ending in a blank",
         "",
         {"a_1.jpg ", "a_2.jpg "},
         {"a_1.jpg", "a_2.jpg"},
         false,
         {"a_1.jpg", "a_2.jpg", "Moved_a_1.jpg ", "Moved_a_2.jpg ", "Tessaly.log"}},
        {"a name ending in a dot",
         "",
         {"b_1.jpg."},
         {"b_1.jpg"},
         true,
         {"b_1.jpg", "Moved_b_1.jpg.", "sml.Moved_b_1.jpg.", "Tessaly.log"}},
        {"a folder ending in a dot",
         "Trip.\\",
         {"c_1.jpg", "c_2.jpg"},
         {"Trip\\c_1.jpg"},
         false,
         {"Moved_c_1.jpg", "Moved_c_2.jpg", "Tessaly.log"}},
        {"a folder past 300 characters",
         deep.substr(folder.path().size()),
         {"d_1.jpg"},
         {},
         true,
         {"Moved_d_1.jpg", "sml.Moved_d_1.jpg", "Tessaly.log"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder base;
        for (std::size_t at = row.folder.find('\\'); at != std::string::npos;
             at = row.folder.find('\\', at + 1))
            makeFolder(base.path() + row.folder.substr(0, at));
        for (const std::string& twin : row.twins) {
            if (twin.find('\\') != std::string::npos)
                makeFolder(base.path() + twin.substr(0, twin.find('\\')));
            base.write(twin, "the unselected twin");
        }
        std::vector<std::string> names;
        for (const std::string& name : row.selected) {
            base.write(row.folder + name, bytes);
            names.push_back(row.folder + name);
        }
        const std::set<std::string> twinsBefore = namesIn(base.path());
        files.clear();
        for (const std::string& name : names)
            files.push_back({base.path() + name});
        job = std::make_unique<BatchJob>(files, std::make_unique<WicResizer>());
        job->setRename(true);
        job->setNewPrefix("Moved_");
        job->setResize(row.resize);
        job->setResizeWidth(160);
        job->setResizePrefix("sml.");

        const ResultSeen result = run();

        EXPECT_EQ("0", result.notDone);
        EXPECT_EQ(base.path() + row.folder + "Tessaly.log", result.logFile);
        EXPECT_EQ(row.after, namesIn(base.path() + row.folder));
        for (const std::string& twin : row.twins)
            EXPECT_EQ("the unselected twin", readFile(base.path() + twin)) << twin;
        if (!row.folder.empty()) {
            EXPECT_EQ(twinsBefore, namesIn(base.path()));
        }
        if (row.resize) {
            const std::string copy = base.path() + row.folder + "sml.Moved_" + row.selected[0];
            EXPECT_EQ(160u, readPicture(copy).width);
        }
    }
}

} // namespace
} // namespace tessaly::test
