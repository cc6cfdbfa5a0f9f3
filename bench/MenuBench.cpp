// What a right-click costs Tessaly's handler before Explorer shows the menu: whether to offer
// "Undo last Tessaly batch" for a selected file, in a folder whose last batch renamed 100,000
// files against a folder without a journal, in the same run; and the same once the names kept
// beside the journal are gone, when the journal itself must be read (as for a journal of the
// release before). Usage: tessaly_menu_bench
#include "host/SelectionDataObject.h"
#include "journal/JournalStore.h"
#include "platform/KnownFolders.h"
#include "platform/Win32FileSystem.h"
#include "shell/Verbs.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFiles = 100000;
constexpr int kTries = 21;

// The median of the seconds UndoOffered takes for the selection of one path, and its answer.
double menuSeconds(const std::string& path, bool& offered) {
    const HGLOBAL drop = host::CreateDropFiles({path});
    std::vector<double> seconds;
    for (int i = 0; i < kTries; ++i) {
        const Clock::time_point start = Clock::now();
        offered = UndoOffered(1, static_cast<HDROP>(drop));
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    GlobalFree(drop);
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

} // namespace
} // namespace tessaly::bench

int main() {
    using namespace tessaly;
    using namespace tessaly::bench;
    Win32FileSystem disk;
    JournalStore journals(disk, journalFolder());
    const std::string busy = "C:\\Tessaly bench\\busy\\";
    const std::string quiet = "C:\\Tessaly bench\\quiet\\";

    // The journal a finished batch of 100,000 renames leaves, with the names beside it.
    Journal journal;
    journal.batchId = "00000000000000000bench";
    journal.folder = busy;
    journal.state = JournalState::Finished;
    for (int i = 0; i < kFiles; ++i) {
        JournalEntry entry;
        entry.oldName = "IMG_" + std::to_string(100000 + i) + ".JPG";
        entry.newName = "Rome_" + std::to_string(100000 + i) + ".JPG";
        entry.facts.size = 4000000;
        entry.facts.lastWrite = 133000000000000000;
        entry.identity = "5a000000-00000000" + std::to_string(10000000 + i);
        journal.entries.push_back(entry);
    }
    const std::string path =
        journalFolder() + folderKey(busy) + "-" + journal.batchId + ".finished";
    if (!disk.createFolder(journalFolder()) ||
        !disk.writeNewFile(path,
                           journalPlanText(journal) + journalStateLine(JournalState::Finished))) {
        std::printf("could not write the journal %s\n", path.c_str());
        return 1;
    }
    journals.keepNames(path, journal, true);
    const std::string names = path.substr(0, path.rfind('.')) + ".names";
    std::printf("journal: %llu bytes, names beside it: %llu bytes\n",
                static_cast<unsigned long long>(disk.facts(path)->size),
                static_cast<unsigned long long>(disk.facts(names)->size));

    bool offered = false;
    const double none = menuSeconds(quiet + "IMG_100000.JPG", offered);
    std::printf("%-52s %9.3f ms (%s)\n", "a folder without a journal", none * 1000,
                offered ? "offered" : "not offered");
    const double made = menuSeconds(busy + "Rome_154321.JPG", offered);
    std::printf("%-52s %9.3f ms (%s), %6.1f x\n", "a renamed file of a 100,000-file batch",
                made * 1000, offered ? "offered" : "not offered", made / none);
    const double other = menuSeconds(busy + "other.jpg", offered);
    std::printf("%-52s %9.3f ms (%s), %6.1f x\n", "another file of that folder", other * 1000,
                offered ? "offered" : "not offered", other / none);
    disk.removeFile(names);
    const double read = menuSeconds(busy + "other.jpg", offered);
    std::printf("%-52s %9.3f ms (%s), %6.1f x\n", "the same, the journal read without its names",
                read * 1000, offered ? "offered" : "not offered", read / none);
    disk.removeFile(path);
    return 0;
}
