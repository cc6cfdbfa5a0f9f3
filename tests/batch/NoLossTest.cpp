// Batches of every kind, each run once for every call of the file system at which that call
// fails, a file of someone else appears under its target or its source is moved away. After
// every run: each original's bytes exist exactly once, nothing was replaced without a Yes,
// nothing left its folder, nothing incomplete or temporary is left under any name, and the
// counts, the log and the disk agree. Then each batch, and the undo of each, dies after every
// call, and the recovery that follows puts every file back as it was.
#include "batch/RunBatch.h"
#include "journal/Undo.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"
#include "support/RecordingBatchWindows.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <set>

namespace tessaly::test {
namespace {

const char* const kJournals = "J:\\Tessaly\\";

struct Scenario {
    const char* name;
    std::vector<std::string> selected; // in path order; each modified at its own time
    std::vector<std::string> others;   // someone else's, from before
    std::function<void(BatchJob&)> options;
    // All selected files of one size and time: a burst of raw pictures on a memory card.
    bool equalFacts = false;
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

bool isTemporary(const std::string& path) {
    return path.find("~Tessaly-") != std::string::npos;
}

// Answers the overwrite question with the given answer, and Yes to putting files back.
class Answers final : public MessageBoxes {
public:
    explicit Answers(int overwrite) : overwrite_(overwrite) {}
    std::vector<ShownMessage> shown;
    int show(MessageOwner owner, const std::string& text, const std::string& caption,
             unsigned style) override {
        shown.push_back({owner, text, caption, style});
        if (caption == "Warning")
            return overwrite_;
        return (style & 0xF) == mb::YesNo ? mb::IdYes : mb::IdOk;
    }
    // The copies the user agreed to replace.
    std::vector<std::string> agreed() const {
        std::vector<std::string> targets;
        const std::string start = "The resize file name already exists: ";
        for (const ShownMessage& m : shown)
            if (m.caption == "Warning" && overwrite_ == mb::IdYes)
                targets.push_back(m.text.substr(start.size(), m.text.find('\n') - start.size()));
        return targets;
    }

private:
    int overwrite_;
};

// One batch over its own disk, with one planned fault or death.
struct FaultyRun {
    const Scenario& scenario;
    FakeFileSystem disk;
    Answers messages;
    RecordingBatchWindows windows;
    JournalStore journals{disk, kJournals};
    std::vector<FileEntry> files;
    std::unique_ptr<BatchJob> job;
    std::map<std::string, std::string> before; // every file's bytes before the batch
    bool died = false;

    FaultyRun(const Scenario& s, int answer, bool identities = true)
        : scenario(s), messages(answer) {
        disk.keepsIdentities = identities;
        std::int32_t modified = 1000;
        for (const std::string& path : s.selected) {
            disk.addFile(path, s.equalFacts ? modified : modified++, original(path));
            files.push_back({path});
        }
        for (const std::string& path : s.others)
            disk.addFile(path, 0, someoneElses(path));
        for (const std::string& path : disk.files())
            before[path] = disk.bytes(path);
        job = std::make_unique<BatchJob>(files, std::make_unique<FakeImageResizer>());
        s.options(*job);
    }

    BatchPorts ports() {
        return BatchPorts{disk,
                          messages,
                          windows,
                          journals,
                          [] { return "today"; },
                          [] { return std::string("b1"); }};
    }
    UndoPorts undoPorts() { return UndoPorts{disk, messages, journals, Patience(nullptr)}; }

    void runBatch() {
        try {
            RunBatch(*job, files, ports());
        } catch (const ProcessDeath&) {
            died = true;
        }
    }

    int count(const std::string& bytes) const {
        const std::vector<std::string> all = disk.files();
        return static_cast<int>(std::count_if(
            all.begin(), all.end(), [&](const std::string& f) { return disk.bytes(f) == bytes; }));
    }

    std::string logPath() const { return windows.results.at(0).logFileText; }

    void checkNothingLost() const {
        for (const std::string& path : scenario.selected)
            EXPECT_EQ(1, count(original(path))) << path;
    }

    void checkNothingReplacedWithoutYes() const {
        std::vector<std::string> foreign = scenario.others;
        foreign.insert(foreign.end(), disk.appeared.begin(), disk.appeared.end());
        const std::vector<std::string> agreed = messages.agreed();
        for (const std::string& path : foreign) {
            // A log of an earlier batch is replaced by design.
            if (path != logPath() && !contains(agreed, path)) {
                EXPECT_EQ(1, count(someoneElses(path))) << path;
            }
        }
        // The overwrite question is never about a selected file, under its old or new name.
        for (const std::string& target : agreed) {
            for (const std::string& path : scenario.selected)
                EXPECT_NE(path, target);
        }
    }

    // Every file is an original, someone else's, a whole copy of an original, the log or a
    // journal; none has a temporary name.
    void checkNothingIncompleteOrTemporary() const {
        for (const std::string& path : disk.files()) {
            const std::string bytes = disk.bytes(path);
            // Someone else may take a file away, or put one in, under any name.
            if (folderOf(path) == FakeFileSystem::kElsewhere || contains(disk.appeared, path))
                continue;
            // A file whose second step failed, and whose old name was taken meanwhile, stays
            // under its temporary name, and the log names both.
            const bool leftAsLogged =
                disk.bytes(logPath()).find("(left as " + path + ")") != std::string::npos;
            EXPECT_TRUE(!isTemporary(path) || leftAsLogged) << path;
            if (splitPath(path).baseName == "Tessaly" || folderOf(path) == kJournals ||
                bytes.rfind("Tessaly journal ", 0) == 0)
                continue;
            const bool copy = bytes.rfind("copy of picture ", 0) == 0 &&
                              contains(scenario.selected, bytes.substr(16));
            const bool known =
                bytes.rfind("picture ", 0) == 0 || bytes.rfind("someone else's ", 0) == 0;
            EXPECT_TRUE(copy || known) << path << ": " << bytes;
        }
    }

    void checkNothingLeftItsFolder() const {
        std::set<std::string> folders = {kJournals};
        for (const std::string& path : scenario.selected)
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
        // A selected file of the log's name is the user's own, never the log.
        const bool logWritten =
            disk.hasFile(result.logFileText) && !contains(scenario.selected, result.logFileText);
        const bool logComplete = log.rfind("Vexmoor Software Tessaly\r\n", 0) == 0 &&
                                 log.compare(log.size() - 2, 2, "\r\n") == 0 &&
                                 log.find("Number of files") != std::string::npos;
        const bool toldIncomplete =
            std::any_of(messages.shown.begin(), messages.shown.end(), [&](const ShownMessage& m) {
                return m.text == "The log file \"" + result.logFileText +
                                     "\" could not be written completely." &&
                       m.caption == "File write error" && m.style == (mb::Ok | mb::IconError);
            });
        // A log cut short is never passed over in silence.
        if (logWritten && !logComplete) {
            EXPECT_TRUE(toldIncomplete) << log;
        }

        int doneOnDisk = 0;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const FileEntry& file = files[i];
            const FileNames names = job->names(file, job->startNumber() + static_cast<int>(i));
            // Under the new name as spelled, letter case included.
            const bool renamed =
                !job->rename() || (disk.storedPath(names.renameTarget) == names.renameTarget &&
                                   disk.bytes(names.renameTarget) == original(file.path));
            const bool copied = !job->resize() || (disk.hasFile(names.resizeTarget) &&
                                                   disk.bytes(names.resizeTarget) ==
                                                       "copy of " + original(file.path));
            doneOnDisk += renamed && copied;
            const bool named = log.find("  " + file.path + "\r\n") != std::string::npos ||
                               log.find("  " + file.path + " (left as ") != std::string::npos ||
                               (job->resize() &&
                                log.find("  " + names.resizeSource + "\r\n") != std::string::npos);
            if (logComplete) {
                EXPECT_EQ(!(renamed && copied), named) << file.path << "\n" << log;
            }
        }
        EXPECT_EQ(doneOnDisk, done);
        if (logComplete) {
            EXPECT_EQ(": " + std::to_string(done) + "\r\n", log.substr(log.rfind(": "))) << log;
        } else if (!logWritten && done > 0) {
            // Someone else moved the log away while the batch wrote it.
            EXPECT_TRUE(std::any_of(disk.vanished.begin(), disk.vanished.end(),
                                    [&](const auto& m) { return m.first == result.logFileText; }));
        }
    }

    // After a recovery or an undo: every file as it was, but for the log and the journals.
    void checkAsBefore() const {
        // The log of this batch is the one file that may have changed.
        const auto isLog = [&](const std::string& path) {
            return splitPath(path).baseName == "Tessaly" && !contains(scenario.selected, path);
        };
        std::map<std::string, std::string> now;
        for (const std::string& path : disk.files())
            if (folderOf(path) != kJournals && !isLog(path))
                now[path] = disk.bytes(path);
        std::map<std::string, std::string> expected;
        for (const auto& [path, bytes] : before)
            if (!isLog(path))
                expected[path] = bytes;
        // The fake keeps a file's letter case through a rename back: compare by its key.
        const auto folded = [](const std::map<std::string, std::string>& listing) {
            std::map<std::string, std::string> result;
            for (const auto& [path, bytes] : listing) {
                std::string key = path;
                std::transform(key.begin(), key.end(), key.begin(), [](char c) {
                    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
                });
                result[key + " " + path] = bytes;
            }
            return result;
        };
        EXPECT_EQ(folded(expected), folded(now));
    }
};

std::vector<Scenario> scenarios() {
    const auto renumberFrom = [](const char* prefix, int removed, int start) {
        return [=](BatchJob& job) {
            job.setRename(true);
            job.setRemovedCount(removed);
            job.setNewPrefix(prefix);
            job.setRenumber(1, 1, start);
        };
    };
    return {
        {"rename with renumbering onto a taken name",
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\p\\IMG_3.jpg"},
         {"C:\\p\\n4.jpg"},
         renumberFrom("n", 4, 2)},
        {"resize onto a selected file and a taken one",
         {"C:\\p\\a.jpg", "C:\\p\\b.jpg", "C:\\p\\sml.a.jpg"},
         {"C:\\p\\sml.b.jpg"},
         [](BatchJob& job) {
             job.setResize(true);
             job.setResizePrefix("sml.");
         }},
        {"both by time over two folders",
         {"C:\\p\\IMG_1.jpg", "C:\\p\\IMG_2.jpg", "C:\\q\\IMG_3.jpg"},
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
        {"both, numbered back onto the selection in place",
         {"C:\\p\\p1.jpg", "C:\\p\\p2.jpg", "C:\\p\\p3.jpg"},
         {},
         [](BatchJob& job) {
             job.setRename(true);
             job.setResize(true);
             job.setRemovedCount(1);
             job.setNewPrefix("p");
             job.setRenumber(1, 1, 2);
             job.setResizePrefix("");
             job.setInPlace(true);
         }},
        {"a cycle in place",
         {"C:\\p\\n2.jpg", "C:\\p\\n3.jpg", "C:\\p\\n1.jpg"},
         {},
         [](BatchJob& job) {
             job.setRename(true);
             job.setRenumber(1, 1, 1);
             job.setInPlace(true);
             job.setOrder(RenumberOrder::ByModificationTime);
         }},
        {"numbered back onto the selection in place, files of one size and time",
         {"C:\\p\\p1.raw", "C:\\p\\p2.raw", "C:\\p\\p3.raw"},
         {},
         [](BatchJob& job) {
             job.setRename(true);
             job.setRemovedCount(1);
             job.setNewPrefix("p");
             job.setRenumber(1, 1, 2);
             job.setInPlace(true);
         },
         true},
        {"a change of letter case in place",
         {"C:\\p\\img_1.jpg", "C:\\p\\img_2.jpg"},
         {},
         [](BatchJob& job) {
             job.setRename(true);
             job.setRemovedCount(3);
             job.setNewPrefix("IMG");
             job.setInPlace(true);
         }},
        {"names out of the folder",
         {"C:\\p\\a.jpg", "C:\\p\\b.jpg"},
         {"C:\\p\\sub\\a.jpg"},
         [](BatchJob& job) {
             job.setRename(true);
             job.setNewPrefix("sub\\");
             job.setResize(true);
             job.setResizePrefix("..\\");
         }},
        {"a selected log",
         {"C:\\p\\Tessaly.log", "C:\\p\\a.jpg"},
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
            // The calls of the batch without a fault: a fault that ends a run early (a refused
            // journal, say) must not end the search before the later calls had theirs.
            FaultyRun whole(scenario, answer);
            whole.runBatch();
            for (const auto& kind : kinds) {
                // Call 0 is no fault at all; past every run's last call the fault no longer
                // fits.
                int last = whole.disk.calls;
                for (int call = kind.kind == FaultKind::Fail ? 0 : 1; call <= last; ++call) {
                    SCOPED_TRACE(testing::Message() << scenario.name << ", answer " << answer
                                                    << ": call " << call << " " << kind.name);
                    FaultyRun run(scenario, answer);
                    run.disk.planFault(call, kind.kind);
                    run.runBatch();
                    ++runs;
                    faulted += run.disk.faultDone;
                    run.checkCountsLogAndDiskAgree();
                    run.checkNothingLost();
                    run.checkNothingReplacedWithoutYes();
                    run.checkNothingIncompleteOrTemporary();
                    run.checkNothingLeftItsFolder();
                    if (testing::Test::HasFailure())
                        return;
                    last = std::max(last, run.disk.calls);
                }
            }
        }
    }
    RecordProperty("runs", runs);
    RecordProperty("faulted", faulted);
    std::cout << "[ no loss  ] " << runs << " batches, " << faulted << " with a fault\n";
}

// The process dies right after a call of the batch, or of its undo, or in the middle of a write
// (half a line on the disk), with the disk as it is then, on a volume with file identities and
// on one without; the next invocation puts the files back. Copies are never agreed to replace
// another file here, so that "as before" holds whole.
TEST(NoLoss, RecoveryAfterADeathAtEveryCallPutsEverythingBack) {
    int deaths = 0;
    // Whether the run of the scenario died at (or in) the call; every check after its recovery.
    const auto dies = [&](const Scenario& scenario, bool inUndo, bool identities, int call,
                          bool midWrite) {
        SCOPED_TRACE(testing::Message()
                     << scenario.name << (inUndo ? ", undo" : "")
                     << (identities ? "" : ", no identities")
                     << (midWrite ? ": death in call " : ": death after call ") << call);
        FaultyRun run(scenario, mb::IdNo, identities);
        int batchCalls = 0;
        if (inUndo) {
            // The death falls into the undo that the result dialog starts.
            FaultyRun probe(scenario, mb::IdNo, identities);
            probe.runBatch();
            batchCalls = probe.disk.calls;
            run.windows.chooseUndo = true;
        }
        run.disk.planDeath(batchCalls + call, midWrite);
        run.runBatch();
        if (!run.died)
            return false;
        ++deaths;
        run.disk.revive();
        // Whether the batch (or its undo) had come to its end before the death.
        bool finished = false;
        for (const std::string& name : run.disk.fileNames(kJournals)) {
            const auto journal = parseJournal(run.disk.bytes(kJournals + name));
            finished = finished || (journal && journal->state == JournalState::Finished);
        }
        RecoverInterruptedBatches(run.undoPorts());
        run.checkNothingLost();
        if (!finished)
            run.checkAsBefore();
        for (const std::string& path : run.disk.files())
            EXPECT_FALSE(isTemporary(path)) << path;
        // The question is asked once: the journal is settled now.
        EXPECT_TRUE(run.journals.interrupted().empty());
        return true;
    };
    for (const Scenario& scenario : scenarios())
        for (const bool inUndo : {false, true})
            for (const bool identities : {true, false})
                for (int call = 1;; ++call) {
                    dies(scenario, inUndo, identities, call, true);
                    if (!dies(scenario, inUndo, identities, call, false) ||
                        testing::Test::HasFailure())
                        break;
                }
    std::cout << "[ no loss  ] " << deaths << " deaths, each put back\n";
}

} // namespace
} // namespace tessaly::test
