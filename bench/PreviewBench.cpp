// Opening the preview of a whole batch, from the click to its first paint: the batch's plan,
// what the in-memory file system of the tests says of its names, and the virtual list on the
// real template, drawn once. For 1,000 to 100,000 files in one folder; the naming work before
// it (the selection's order and analysis) is the naming benchmark's. Under 0.5 s for 100,000.
// Usage: tessaly_preview_bench [screenshot.png]
#include "CameraNames.h"
#include "batch/BatchPlan.h"
#include "batch/PlanPreview.h"
#include "dialogs/PreviewDlg.h"
#include "dialogs/Win32Dialog.h"
#include "host/Screenshot.h"
#include "imaging/GdiplusObjects.h"
#include "naming/BatchJob.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Figures {
    double plan = 0;   // planBatch
    double notes = 0;  // previewPlan: the folder's entries and every note
    double window = 0; // the dialog created, shown and painted with its list
    double total() const { return plan + notes + window; }
};

Figures measure(int count, const char* screenshot) {
    test::FakeFileSystem disk;
    std::vector<FileEntry> files = cameraNames(count);
    for (const FileEntry& file : files)
        disk.addFile(file.path);
    // Someone else's copy from an earlier batch: one note.
    disk.addFile("C:\\Users\\Ann\\Pictures\\2008 Rome\\sml.Rome_000002.JPG");
    BatchJob job(files, std::make_unique<test::FakeImageResizer>());
    job.setRemovedCount(defaultRemovedCount(job.exampleName(), job.prefixLength()));
    job.setNewPrefix("Rome_");
    job.setRenumber(1, 6, 1);
    job.setRename(true);
    job.setResize(true);
    job.setResizePrefix("sml.");
    job.setResizeWidth(640);

    Figures f;
    Clock::time_point start = Clock::now();
    const BatchPlan plan = planBatch(job, job.files(), std::string());
    f.plan = secondsSince(start);
    start = Clock::now();
    CPreviewDlg dialog(previewPlan(plan, job, disk));
    f.notes = secondsSince(start);
    start = Clock::now();
    Win32Dialog window(dialog);
    if (!window.CreateModeless(nullptr)) {
        std::printf("the preview's window could not be created\n");
        return f;
    }
    ShowWindow(window.window(), SW_SHOW);
    RedrawWindow(window.window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    f.window = secondsSince(start);
    if (screenshot != nullptr)
        host::SaveWindowPicture(window.window(), screenshot);
    return f;
}

} // namespace
} // namespace tessaly::bench

int main(int argc, char** argv) {
    using tessaly::bench::Figures;
    const tessaly::GdiplusSession gdiplus; // for the screenshot
    // The first window sets up the display connection and the common controls: not part of
    // any opening.
    tessaly::bench::measure(10, nullptr);
    std::printf("%8s %10s %10s %10s %12s\n", "files", "plan", "notes", "window", "first paint");
    for (const int count : {1000, 10000, 100000}) {
        Figures best = tessaly::bench::measure(count, nullptr);
        for (int run = 1; run < 3; ++run) {
            const Figures f = tessaly::bench::measure(count, nullptr);
            if (f.total() < best.total())
                best = f;
        }
        std::printf("%8d %8.1f ms %7.1f ms %7.1f ms %9.1f ms\n", count, best.plan * 1e3,
                    best.notes * 1e3, best.window * 1e3, best.total() * 1e3);
    }
    if (argc > 1)
        tessaly::bench::measure(100, argv[1]);
    std::printf("100000 files: target under 500 ms to the first paint\n");
    return 0;
}
