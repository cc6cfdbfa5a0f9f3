// A rename-only batch of real files with its real progress window and result dialog (closed
// as soon as it shows), against a bare MoveFileW loop over as many files in the same run, in
// the same folder. Prints both and their ratio; the batch should take at most twice the loop.
// Usage: tessaly_batch_bench [file count, default 10000]
#include "batch/Win32Batch.h"
#include "imaging/GdiplusResizer.h"
#include "platform/Win32MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "host/WindowDriver.h"
#include "platform/WideText.h"
#include "support/TempFolder.h"

#include <windows.h>

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

// Renames every file from one prefix to another, the bare way; returns the seconds taken.
double bareLoop(const std::string& folder, const char* from, const char* to, int count) {
    int failed = 0;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i)
        if (!MoveFileW(wideFromUtf8(numbered(folder, from, i)).c_str(),
                       wideFromUtf8(numbered(folder, to, i)).c_str()))
            ++failed;
    const double seconds = secondsSince(start);
    if (failed != 0)
        std::printf("bare loop: %d renames failed\n", failed);
    return seconds;
}

// The batch, renaming every file from one prefix to another; returns the seconds from the call
// until the result dialog has been closed.
double batch(const std::string& folder, const char* from, const char* to, int count) {
    std::vector<FileEntry> files;
    files.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        files.push_back({numbered(folder, from, i)});
    BatchJob job(files, std::make_unique<GdiplusResizer>());
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
    const Clock::time_point start = Clock::now();
    RunBatch(job, files, nullptr);
    const double seconds = secondsSince(start);
    closer.join();
    if (done != std::to_string(count))
        std::printf("batch: the result dialog showed \"%s\" files done\n", done.c_str());
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
    const double before = bareLoop(folder.path(), "A_", "B_", count);
    const double run = batch(folder.path(), "B_", "C_", count);
    const double after = bareLoop(folder.path(), "C_", "D_", count);
    const double baseline = (before + after) / 2;

    std::printf("%d files, rename only\n", count);
    std::printf("  bare MoveFileW loop:  %8.3f s before, %8.3f s after (%.1f us per file)\n",
                before, after, baseline * 1e6 / count);
    std::printf("  RunBatch:             %8.3f s (%.1f us per file)\n", run, run * 1e6 / count);
    std::printf("  the batch's own share:  %.1f us per file\n", (run - baseline) * 1e6 / count);
    std::printf("  ratio RunBatch / bare loop: %.2f (target: at most 2)\n", run / baseline);
    DestroyWindow(owner);
    return 0;
}
