// Cost per file of the work done before a batch starts, for growing selections: reading the
// selection into path order and analysing it, the batch's plan (every name composed), the
// conflict check over it and the preview's notes (over the in-memory file system of the tests).
// Per-file costs should stay flat as the selection grows; all of it together should take well
// under a second for 100,000 files.
#include "CameraNames.h"
#include "batch/BatchPlan.h"
#include "batch/PlanPreview.h"
#include "naming/NameConflicts.h"
#include "naming/BatchJob.h"
#include "naming/PathOrder.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Camera names in a shuffled order, as the shell may hand them over.
std::vector<FileEntry> shuffledSelection(int count) {
    std::vector<FileEntry> files = cameraNames(count);
    std::shuffle(files.begin(), files.end(), std::mt19937(20081205));
    return files;
}

struct Figures {
    double analysis = 0;    // sorting and the job's analysis
    double composition = 0; // the plan: every file's new path and resize target
    double check = 0;       // CheckNameConflicts
    double preview = 0;     // the preview's rows and notes
};

Figures measure(int count) {
    Figures f;
    std::vector<FileEntry> files = shuffledSelection(count);
    test::FakeFileSystem fileSystem;
    for (const FileEntry& file : files)
        fileSystem.addFile(file.path);

    Clock::time_point start = Clock::now();
    sortByPath(files);
    BatchJob job(files, std::make_unique<test::FakeImageResizer>());
    f.analysis = secondsSince(start);

    job.setRemovedCount(defaultRemovedCount(job.exampleName(), job.prefixLength()));
    job.setNewPrefix("Rome_");
    job.setRenumber(1, 6, 1);
    job.setRename(true);
    job.setResize(true);
    job.setResizePrefix("sml.");

    start = Clock::now();
    const BatchPlan plan = planBatch(job, job.files(), "b1");
    f.composition = secondsSince(start);

    start = Clock::now();
    const NameConflicts conflicts = CheckNameConflicts(plan, fileSystem);
    f.check = secondsSince(start);

    start = Clock::now();
    const PlanPreview preview = previewPlan(plan, job, fileSystem);
    f.preview = secondsSince(start);

    if (conflicts.firstTaken || conflicts.heldBySelected != 0 || fileSystem.existsCalls != count ||
        preview.rows.size() != files.size())
        std::printf("unexpected: conflict %s, %d existence tests, %zu rows\n",
                    conflicts.firstTaken ? conflicts.firstTaken->c_str() : "none",
                    fileSystem.existsCalls, preview.rows.size());
    return f;
}

// The best of a few runs: the least disturbed by the rest of the machine.
Figures best(int count, int runs) {
    Figures b = measure(count);
    for (int r = 1; r < runs; ++r) {
        const Figures f = measure(count);
        b.analysis = std::min(b.analysis, f.analysis);
        b.composition = std::min(b.composition, f.composition);
        b.check = std::min(b.check, f.check);
        b.preview = std::min(b.preview, f.preview);
    }
    return b;
}

} // namespace
} // namespace tessaly::bench

int main() {
    using tessaly::bench::Figures;
    std::printf("%9s  %22s  %22s  %22s  %22s\n", "files", "analysis (sorting)",
                "plan (composition)", "conflict check", "preview notes");
    std::printf("%9s  %10s %11s  %10s %11s  %10s %11s  %10s %11s\n", "", "total ms", "ns per file",
                "total ms", "ns per file", "total ms", "ns per file", "total ms", "ns per file");
    Figures largest;
    for (const int count : {1000, 10000, 100000}) {
        const Figures f = tessaly::bench::best(count, count < 100000 ? 5 : 3);
        const double perFile = 1e9 / count;
        std::printf("%9d  %10.2f %11.0f  %10.2f %11.0f  %10.2f %11.0f  %10.2f %11.0f\n", count,
                    f.analysis * 1e3, f.analysis * perFile, f.composition * 1e3,
                    f.composition * perFile, f.check * 1e3, f.check * perFile, f.preview * 1e3,
                    f.preview * perFile);
        largest = f;
    }
    const double total = largest.analysis + largest.composition + largest.check;
    std::printf("100000 files up to the batch: %.3f s (target: under 1 s); with the preview's "
                "notes: %.3f s\n",
                total, total + largest.preview);
    return 0;
}
