// A rename-only batch of real files with its real progress window and result dialog (closed
// as soon as it shows), against a bare MoveFileW loop over as many files in the same run, in
// the same folder; the same batch with its journal kept in memory instead of on the disk; and
// the undo of the batch. Prints the times and their ratios: the batch should take at most twice
// the loop, the journal add at most a tenth, the undo take at most 1.5 times the batch.
// Usage: tessaly_batch_bench [file count, default 10000]
#include "batch/RunBatch.h"
#include "batch/Win32BatchWindows.h"
#include "host/WindowDriver.h"
#include "imaging/WicResizer.h"
#include "journal/Undo.h"
#include "platform/KnownFolders.h"
#include "platform/WideText.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "support/FakeFileSystem.h"
#include "support/TempFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string numbered(const std::string& folder, const char* prefix, int i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%05d.JPG", prefix, i);
    return folder + name;
}

// Renames every file from one prefix to another, the bare way, and with announce tells the
// shell of each rename as the batch does; returns the seconds taken.
double bareLoop(const std::string& folder, const char* from, const char* to, int count,
                bool announce = false) {
    int failed = 0;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const std::wstring source = wideFromUtf8(numbered(folder, from, i));
        const std::wstring target = wideFromUtf8(numbered(folder, to, i));
        if (!MoveFileW(source.c_str(), target.c_str()))
            ++failed;
        else if (announce)
            SHChangeNotify(SHCNE_RENAMEITEM, SHCNF_PATHW, source.c_str(), target.c_str());
    }
    const double seconds = secondsSince(start);
    if (failed != 0)
        std::printf("bare loop: %d renames failed\n", failed);
    return seconds;
}

// The batch, renaming every file from one prefix to another, its journals in the store given;
// returns the seconds from the call until the result dialog has been closed.
double batch(const std::string& folder, const char* from, const char* to, int count,
             JournalStore& journals) {
    std::vector<FileEntry> files;
    files.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        files.push_back({numbered(folder, from, i)});
    BatchJob job(files, std::make_unique<WicResizer>());
    job.setRename(true);
    job.setRemovedCount(static_cast<int>(std::string(from).size()));
    job.setNewPrefix(to);

    std::string done;
    std::thread closer([&] {
        const HWND result =
            host::WaitForDialogWithControl("Vexmoor Software Tessaly 3.1", IDC_LOG_FILE, 600000);
        if (result == nullptr)
            return;
        done = host::ControlText(result, IDC_DONE_COUNT);
        host::ClickButton(result, IDC_OK);
    });
    Win32FileSystem disk;
    Win32MessageBoxes messages;
    Win32BatchWindows windows;
    const Clock::time_point start = Clock::now();
    RunBatch(job, files, BatchPorts{disk, messages, windows, journals});
    const double seconds = secondsSince(start);
    closer.join();
    if (done != std::to_string(count))
        std::printf("batch: the result dialog showed \"%s\" files done\n", done.c_str());
    return seconds;
}

// The undo of the folder's last batch; returns the seconds until its message has been closed.
double undo(const std::string& folder, JournalStore& journals) {
    const std::vector<std::string> batches = journals.undoable(folder);
    const std::optional<StoredJournal> last =
        batches.empty() ? std::nullopt : journals.read(batches.front(), nullptr);
    if (!last) {
        std::printf("undo: no batch to undo\n");
        return 0;
    }
    std::string told;
    std::thread closer([&] {
        const HWND message = host::WaitForDialog("Tessaly Notice", 600000);
        if (message == nullptr)
            return;
        told = host::ControlText(message, 0xFFFF);
        host::ClickButton(message, IDOK);
    });
    Win32FileSystem disk;
    Win32MessageBoxes messages;
    const Clock::time_point start = Clock::now();
    UndoBatches({last->path}, UndoPorts{disk, messages, journals, Patience(nullptr)});
    const double seconds = secondsSince(start);
    closer.join();
    std::printf("  undo said: %s\n", told.c_str());
    return seconds;
}

// What the batch's plan asks of every file for its journal: its size and last-write time.
double factsLoop(const std::string& folder, const char* prefix, int count) {
    Win32FileSystem disk;
    int missing = 0;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i)
        missing += !disk.facts(numbered(folder, prefix, i));
    const double seconds = secondsSince(start);
    if (missing != 0)
        std::printf("facts: %d files missing\n", missing);
    return seconds;
}

void createFiles(const std::string& folder, const char* prefix, int count) {
    for (int i = 0; i < count; ++i) {
        const HANDLE file = CreateFileA(numbered(folder, prefix, i).c_str(), GENERIC_WRITE, 0,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        DWORD written = 0;
        WriteFile(file, "picture", 7, &written, nullptr);
        CloseHandle(file);
    }
}

} // namespace
} // namespace tessaly::bench

int main(int argc, char** argv) {
    using namespace tessaly::bench;
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (count <= 0 || count > 99999) {
        std::printf("file count must be 1 to 99999\n");
        return 1;
    }
    // Explorer's window, in the foreground when the batch starts.
    const HWND owner = CreateWindowExA(0, "STATIC", "Explorer", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                       100, 100, 800, 600, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(owner);

    const tessaly::test::TempFolder folder;
    createFiles(folder.path(), "A_", count);
    tessaly::Win32FileSystem disk;
    tessaly::JournalStore onDisk(disk, tessaly::journalFolder());
    tessaly::test::FakeFileSystem memory;
    tessaly::JournalStore inMemory(memory, "J:\\Tessaly\\");

    const double before = bareLoop(folder.path(), "A_", "B_", count);
    const double announced = bareLoop(folder.path(), "B_", "A_", count, true);
    bareLoop(folder.path(), "A_", "B_", count);
    const double memoryJournal = batch(folder.path(), "B_", "C_", count, inMemory);
    const double run = batch(folder.path(), "C_", "D_", count, onDisk);
    const double undone = undo(folder.path(), onDisk);
    const double facts = factsLoop(folder.path(), "C_", count);
    const double after = bareLoop(folder.path(), "C_", "E_", count);
    const double baseline = (before + after) / 2;

    std::printf("%d files, rename only\n", count);
    std::printf("  bare MoveFileW loop:  %8.3f s before, %8.3f s after (%.1f us per file)\n",
                before, after, baseline * 1e6 / count);
    std::printf("  the same loop, each rename told to the shell (SHChangeNotify): %8.3f s\n",
                announced);
    std::printf("  RunBatch:             %8.3f s (%.1f us per file)\n", run, run * 1e6 / count);
    std::printf("  RunBatch, journal kept in memory: %8.3f s\n", memoryJournal);
    std::printf("  undo of the batch:    %8.3f s\n", undone);
    std::printf("  the batch's own share:  %.1f us per file\n", (run - baseline) * 1e6 / count);
    std::printf("  ratio RunBatch / bare loop: %.2f; / the loop that tells the shell: %.2f "
                "(target: at most 2)\n",
                run / baseline, run / announced);
    std::printf("  each file's size and time, as the plan reads them: %8.3f s\n", facts);
    std::printf("  ratio journal on disk / in memory: %.3f; with the plan's reads: %.3f "
                "(target: at most 1.10)\n",
                run / memoryJournal, run / (memoryJournal - facts));
    std::printf("  ratio undo / batch: %.2f (target: at most 1.5)\n", undone / run);
    DestroyWindow(owner);
    return 0;
}
