// Batches of every kind, each run once for every call of the file system at which that call
// fails, a file of someone else appears under its target or its source is moved away. After
// every run: each original's bytes exist exactly once, nothing was replaced without a Yes,
// nothing left its folder, and the counts, the log and the disk agree.
#include "batch/RunBatch.h"
#include "support/DiskResizer.h"
#include "support/FakeFileSystem.h"
#include "support/RecordingBatchWindows.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <set>

namespace tessaly::test {
namespace {

struct Scenario {
    const char* name;
    std::vector<std::pair<std::string, std::int32_t>> selected; // in path order, with times
    std::vector<std::string> others;                            // someone else's, from before
    std::function<void(BatchJob&)> options;
};

std::string original(const std::string& path) {
    return "picture " + path;
}

std::string someoneElses(const std::string& path) {
    return "someone else's " + path;
}

std::string folderOf(const std::string& path) {
    const PathParts parts = splitPath(path);
    return parts.drive + parts.directory;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// One batch over its own disk, with one planned fault.
struct FaultyRun {
    const Scenario& scenario;
    FakeFileSystem disk;
    ScriptedMessageBoxes messages;
    RecordingBatchWindows windows;
    std::vector<FileEntry> files;
    DiskResizer* resizer = nullptr;
    std::unique_ptr<BatchJob> job;

    FaultyRun(const Scenario& s, int answer, int faultCall, FaultKind kind) : scenario(s) {
        for (const auto& [path, modified] : s.selected) {
            disk.addFile(path, modified, original(path));
            files.push_back({path});
        }
        for (const std::string& path : s.others)
            disk.addFile(path, 0, someoneElses(path));
        messages.otherwise = answer;
        auto owned = std::make_unique<DiskResizer>(disk, messages);
        resizer = owned.get();
        job = std::make_unique<BatchJob>(files, std::move(owned));
        s.options(*job);
        disk.planFault(faultCall, kind);
        RunBatch(*job, files, BatchPorts{disk, messages, windows, [] { return "today"; }});
    }

    int count(const std::string& bytes) const {
        const std::vector<std::string> all = disk.files();
        return static_cast<int>(std::count_if(
            all.begin(), all.end(), [&](const std::string& f) { return disk.bytes(f) == bytes; }));
    }

    void checkNothingLost() const {
        for (const auto& [path, modified] : scenario.selected)
            EXPECT_EQ(1, count(original(path))) << path;
    }

    void checkNothingReplacedWithoutYes() const {
        std::vector<std::string> foreign = scenario.others;
        foreign.insert(foreign.end(), disk.appeared.begin(), disk.appeared.end());
        const std::string logPath = windows.results.at(0).logFileText;
        for (const std::string& path : foreign) {
            // A log of an earlier batch is replaced by design.
            if (path != logPath && !contains(resizer->replacedAfterYes, path)) {
                EXPECT_EQ(1, count(someoneElses(path))) << path;
            }
        }
        // The overwrite question is never about a selected file, under its old or new name.
        for (const ShownMessage& shown : messages.shown) {
            if (shown.caption != "Tessaly")
                continue;
            const std::string target = shown.text.substr(0, shown.text.find(" exists."));
            EXPECT_NE(0u, disk.bytes(target).rfind("picture ", 0)) << target;
            for (const auto& [path, modified] : scenario.selected)
                EXPECT_NE(path, target);
        }
    }

    void checkNothingLeftItsFolder() const {
        std::set<std::string> folders;
        for (const auto& [path, modified] : scenario.selected)
            folders.insert(folderOf(path));
        for (const std::string& path : disk.files()) {
            if (contains(scenario.others, path))
                continue;
            if (folderOf(path) == FakeFileSystem::kElsewhere) {
                const auto& moved = disk.vanished;
                EXPECT_TRUE(std::any_of(moved.begin(), moved.end(), [&](const auto& m) {
                    return m.second == path;
                })) << path;
            } else {
                EXPECT_EQ(1u, folders.count(folderOf(path))) << path;
            }
        }
    }

    void checkCountsLogAndDiskAgree() const {
        ASSERT_EQ(1u, windows.results.size());
        const ResultReport& result = windows.results[0];
        const int done = std::stoi(result.doneText);
        EXPECT_EQ(static_cast<int>(files.size()), done + std::stoi(result.notDoneText));
        const std::string log = disk.bytes(result.logFileText);
        const bool logWritten = log.rfind("Vexmoor Software Tessaly\r\n", 0) == 0;

        int doneOnDisk = 0;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const FileEntry& file = files[i];
            const FileNames names = job->names(file, job->startNumber() + static_cast<int>(i));
            const bool renamed =
                !job->rename() || (disk.hasFile(names.renameTarget) &&
                                   disk.bytes(names.renameTarget) == original(file.path));
            const bool copied = !job->resize() || (disk.hasFile(names.resizeTarget) &&
                                                   disk.bytes(names.resizeTarget) ==
                                                       "copy of " + original(file.path));
            doneOnDisk += renamed && copied;
            const bool named = log.find("  " + file.path + "\r\n") != std::string::npos ||
                               log.find("  " + names.resizeSource + "\r\n") != std::string::npos;
            if (logWritten) {
                EXPECT_EQ(!(renamed && copied), named) << file.path << "\n" << log;
            }
        }
        EXPECT_EQ(doneOnDisk, done);
        if (logWritten) {
            EXPECT_TRUE(log.size() > 2 &&
                        log.substr(log.rfind(": ")) == ": " + std::to_string(done) + "\r\n")
                << log;
        } else {
            EXPECT_EQ(0, done);
        }
    }
};

std::vector<Scenario> scenarios() {
    return {
        {"rename with renumbering onto a taken name",
         {{"C:\\p\\IMG_1.jpg", 0}, {"C:\\p\\IMG_2.jpg", 0}, {"C:\\p\\IMG_3.jpg", 0}},
         {"C:\\p\\n4.jpg"},
         [](BatchJob& job) {
             job.setRename(true);
             job.setRemovedCount(4);
             job.setNewPrefix("n");
             job.setRenumber(1, 1, 2);
         }},
        {"resize onto a selected file and a taken one",
         {{"C:\\p\\a.jpg", 0}, {"C:\\p\\b.jpg", 0}, {"C:\\p\\sml.a.jpg", 0}},
         {"C:\\p\\sml.b.jpg"},
         [](BatchJob& job) {
             job.setResize(true);
             job.setResizePrefix("sml.");
         }},
        {"both by time over two folders",
         {{"C:\\p\\IMG_1.jpg", 30}, {"C:\\p\\IMG_2.jpg", 10}, {"C:\\q\\IMG_3.jpg", 20}},
         {"C:\\p\\sml.r1.jpg", "C:\\p\\r3.jpg"},
         [](BatchJob& job) {
             job.setRename(true);
             job.setResize(true);
             job.setRemovedCount(4);
             job.setNewPrefix("r");
             job.setRenumber(1, 1, 1);
             job.setResizePrefix("sml.");
             job.setOrder(RenumberOrder::ByModificationTime);
         }},
        {"both, numbered back onto the selection",
         {{"C:\\p\\p1.jpg", 0}, {"C:\\p\\p2.jpg", 0}, {"C:\\p\\p3.jpg", 0}},
         {},
         [](BatchJob& job) {
             job.setRename(true);
             job.setResize(true);
             job.setRemovedCount(1);
             job.setNewPrefix("p");
             job.setRenumber(1, 1, 2);
             job.setResizePrefix("");
         }},
        {"names out of the folder",
         {{"C:\\p\\a.jpg", 0}, {"C:\\p\\b.jpg", 0}},
         {"C:\\p\\sub\\a.jpg"},
         [](BatchJob& job) {
             job.setRename(true);
             job.setNewPrefix("sub\\");
             job.setResize(true);
             job.setResizePrefix("..\\");
         }},
        {"copies out of the folder",
         {{"C:\\p\\a.jpg", 0}},
         {},
         [](BatchJob& job) {
             job.setResize(true);
             job.setResizePrefix("..\\");
         }},
        {"a selected log",
         {{"C:\\p\\Tessaly.log", 0}, {"C:\\p\\a.jpg", 0}},
         {},
         [](BatchJob& job) {
             job.setRename(true);
             job.setNewPrefix("x");
         }},
    };
}

TEST(NoLoss, EveryFaultAtEveryCallOfEveryBatch) {
    const struct {
        FaultKind kind;
        const char* name;
    } kinds[] = {{FaultKind::Fail, "fails"},
                 {FaultKind::Appear, "meets a new file"},
                 {FaultKind::Vanish, "loses its source"}};
    int runs = 0;
    int faulted = 0; // runs in which the planned fault happened
    for (const Scenario& scenario : scenarios()) {
        for (const int answer : {mb::IdYes, mb::IdNo, mb::IdCancel}) {
            for (const auto& kind : kinds) {
                // Call 0 is no fault at all; past the run's last call the fault no longer fits.
                for (int call = kind.kind == FaultKind::Fail ? 0 : 1;; ++call) {
                    SCOPED_TRACE(testing::Message() << scenario.name << ", answer " << answer
                                                    << ": call " << call << " " << kind.name);
                    const FaultyRun run(scenario, answer, call, kind.kind);
                    ++runs;
                    faulted += run.disk.faultDone;
                    run.checkCountsLogAndDiskAgree();
                    run.checkNothingLost();
                    run.checkNothingReplacedWithoutYes();
                    run.checkNothingLeftItsFolder();
                    if (testing::Test::HasFailure())
                        return;
                    if (call >= run.disk.calls)
                        break;
                }
            }
        }
    }
    RecordProperty("runs", runs);
    RecordProperty("faulted", faulted);
    std::cout << "[ no loss  ] " << runs << " batches, " << faulted << " with a fault\n";
}

} // namespace
} // namespace tessaly::test
