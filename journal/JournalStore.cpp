#include "journal/JournalStore.h"

#include "journal/Hash64.h"
#include "journal/NamesFile.h"
#include "naming/CaseFolding.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>

namespace tessaly {

namespace {

struct StateName {
    JournalState state;
    const char* suffix;
};
// "running" is a batch's journal until it finishes: its first state, Planned.
const StateName kStates[] = {{JournalState::Planned, ".running"},
                             {JournalState::Finished, ".finished"},
                             {JournalState::Kept, ".kept"},
                             {JournalState::Undoing, ".undoing"},
                             {JournalState::Undone, ".undone"}};
const char kSetAside[] = ".unreadable";
const char kNames[] = ".names";

// Enough of a journal's end to hold its last record.
constexpr std::size_t kTail = 4096;

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string suffixOf(JournalState state) {
    for (const StateName& s : kStates)
        if (s.state == state)
            return s.suffix;
    return kSetAside;
}

// The state a name announces; nothing for a name that is not a journal's.
std::optional<JournalState> stateOfName(const std::string& name) {
    for (const StateName& s : kStates)
        if (endsWith(name, s.suffix))
            return s.state;
    return std::nullopt;
}

// "<key>-<batch id>": the part of a name that stays through every state.
std::string stem(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('\\');
    return dot == std::string::npos || (slash != std::string::npos && dot < slash)
               ? name
               : name.substr(0, dot);
}

std::string baseOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string keyOfName(const std::string& name) {
    const std::size_t dash = name.find('-');
    return dash == std::string::npos ? std::string() : name.substr(0, dash);
}

// The batch id of a name: it begins with the time the batch started.
std::string idOfName(const std::string& name) {
    const std::string s = stem(name);
    const std::size_t dash = s.find('-');
    return dash == std::string::npos ? std::string() : s.substr(dash + 1);
}

bool settled(JournalState state) {
    return state == JournalState::Finished || state == JournalState::Kept ||
           state == JournalState::Undone;
}

} // namespace

std::string folderKey(const std::string& folder) {
    return hexDigits(hash64(foldedCase(folder)), 16);
}

JournalStore::JournalStore(FileSystem& fileSystem, std::string folder, std::uint64_t largest)
    : fileSystem_(fileSystem), folder_(std::move(folder)), largest_(largest) {}

std::string JournalStore::namesPath(const std::string& path) const {
    return stem(path) + kNames;
}

std::unique_ptr<TextFile> JournalStore::create(const std::string& batchFolder,
                                               const std::string& batchId, std::string& path) {
    path = folder_ + folderKey(batchFolder) + "-" + batchId + suffixOf(JournalState::Planned);
    if (!fileSystem_.createFolder(folder_))
        return nullptr;
    return fileSystem_.createHeldFile(path);
}

std::optional<std::string> JournalStore::rename(const std::string& path, JournalState state) {
    const std::string renamed = stem(path) + suffixOf(state);
    if (renamed == path)
        return path;
    if (fileSystem_.renameNoReplace(path, renamed) != FileResult::Done)
        return std::nullopt;
    return renamed;
}

std::unique_ptr<TextFile> JournalStore::append(const StoredJournal& stored, bool* busy) {
    std::unique_ptr<TextFile> file =
        fileSystem_.appendFile(stored.path, FileSystem::Hold::Held, busy);
    // Glued to a torn line, the next record would make the whole journal unreadable.
    if (file && stored.torn && !file->write(kTornLineEnd))
        return nullptr;
    return file;
}

void JournalStore::setAside(const std::string& path) {
    fileSystem_.renameNoReplace(path, stem(path) + kSetAside);
    fileSystem_.removeFile(namesPath(path));
}

std::optional<StoredJournal> JournalStore::read(const std::string& path,
                                                JournalProblem* problem) const {
    const auto fail = [problem](JournalProblem why) {
        if (problem != nullptr)
            *problem = why;
        return std::nullopt;
    };
    if (problem != nullptr)
        *problem = JournalProblem::None;
    const std::optional<FileFacts> facts = fileSystem_.facts(path);
    if (facts && facts->size > largest_)
        return fail(JournalProblem::TooLarge);
    const std::optional<std::string> text = fileSystem_.readFile(path);
    if (!facts || !text)
        return fail(JournalProblem::NotReadNow);
    std::optional<Journal> journal = parseJournal(*text);
    if (!journal && !journalPlanComplete(*text))
        return fail(JournalProblem::Unplanned);
    // A journal acts only on the folder its name belongs to.
    const std::string name = baseOf(path);
    if (!journal || keyOfName(name) != folderKey(journal->folder) ||
        idOfName(name) != journal->batchId)
        return fail(JournalProblem::Malformed);
    const bool torn = !text->empty() && text->back() != '\n';
    return StoredJournal{path, std::move(*journal), torn};
}

std::vector<JournalStore::Interrupted> JournalStore::interrupted() {
    const std::optional<FolderListing> listing = fileSystem_.listFolder(folder_);
    if (!listing)
        return {};
    std::vector<FolderEntry> entries = listing->entries;
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    std::vector<Interrupted> found;
    for (const FolderEntry& entry : entries) {
        const std::optional<JournalState> named = stateOfName(entry.name);
        if (!named || entry.facts.folder || *named == JournalState::Undone)
            continue;
        const std::string path = folder_ + entry.name;
        // A settled name whose journal says an undo began under it (the name could not be
        // changed then) was interrupted as well.
        if (*named == JournalState::Finished || *named == JournalState::Kept) {
            const std::uint64_t from = entry.facts.size > kTail ? entry.facts.size - kTail : 0;
            const std::optional<std::string> tail = fileSystem_.readAt(path, from, kTail);
            if (!tail || stateOfLastRecord(*tail) != JournalState::Undoing)
                continue;
        }
        // A journal that a running batch holds cannot be taken.
        bool busy = false;
        if (!fileSystem_.appendFile(path, FileSystem::Hold::Held, &busy) && busy)
            continue;
        JournalProblem problem = JournalProblem::None;
        std::optional<StoredJournal> stored = read(path, &problem);
        if (problem == JournalProblem::Unplanned) {
            if (*named == JournalState::Planned) {
                fileSystem_.removeFile(path); // its batch touched no file
                continue;
            }
            problem = JournalProblem::Malformed;
        }
        if (stored && settled(stored->journal.state)) {
            // Done: only its name lagged behind.
            if (const std::optional<std::string> renamed = rename(path, stored->journal.state))
                keepNames(*renamed, stored->journal);
            continue;
        }
        found.push_back({path, std::move(stored), problem});
    }
    return found;
}

std::vector<std::string> JournalStore::undoable(const std::string& batchFolder) const {
    const std::string prefix = folderKey(batchFolder) + "-";
    std::vector<std::string> names;
    for (const std::string& name : fileSystem_.fileNames(folder_)) {
        const std::optional<JournalState> named = stateOfName(name);
        if (name.compare(0, prefix.size(), prefix) == 0 && named &&
            (*named == JournalState::Finished || *named == JournalState::Kept))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return idOfName(a) > idOfName(b); });
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(folder_ + name);
    return paths;
}

bool JournalStore::leftFilesUnder(const std::string& batchFolder,
                                  const std::vector<std::string>& names) const {
    for (const std::string& path : undoable(batchFolder)) {
        const std::string index = namesPath(path);
        const IndexReader readIndex = [&](std::uint64_t offset, std::size_t count) {
            return fileSystem_.readAt(index, offset, count);
        };
        bool known = true;
        for (const std::string& name : names) {
            const std::optional<bool> holds = nameIndexHolds(readIndex, name);
            if (!holds) {
                known = false;
                break;
            }
            if (*holds)
                return true;
        }
        if (known)
            continue;
        // No names beside it (a journal of the release before, or names that could not be
        // written): the journal itself tells.
        const std::optional<StoredJournal> stored = read(path, nullptr);
        if (!stored)
            continue;
        const std::vector<std::string> left = namesOfBatch(stored->journal);
        for (const std::string& name : names)
            if (std::any_of(left.begin(), left.end(),
                            [&](const std::string& n) { return sameFileSystemName(n, name); }))
                return true;
    }
    return false;
}

void JournalStore::keepNames(const std::string& path, const Journal& journal, bool fresh) {
    const std::string index = namesPath(path);
    if (!fresh)
        fileSystem_.removeFile(index);
    if (!settled(journal.state) || journal.state == JournalState::Undone)
        return;
    // Written whole or not at all: without it the menu reads the journal.
    fileSystem_.writeNewFile(index, nameIndexText(namesOfBatch(journal)));
}

void JournalStore::prune() {
    const std::vector<std::string> all = fileSystem_.fileNames(folder_);
    // By folder key, the names of finished and undone batches (and set-aside journals), oldest
    // first.
    std::map<std::string, std::vector<std::string>> byFolder;
    std::set<std::string> stems; // of every journal, for the names kept beside them
    for (const std::string& name : all) {
        const std::optional<JournalState> named = stateOfName(name);
        if (named || endsWith(name, kSetAside))
            stems.insert(stem(name));
        const bool prunable =
            (named && (*named == JournalState::Finished || *named == JournalState::Undone)) ||
            endsWith(name, kSetAside);
        if (prunable && !keyOfName(name).empty())
            byFolder[keyOfName(name)].push_back(name);
    }
    // Folders by their latest batch, the latest first.
    std::vector<std::pair<std::string, std::string>> latest; // id of the latest, key
    for (auto& [key, names] : byFolder) {
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return idOfName(a) < idOfName(b);
        });
        latest.emplace_back(idOfName(names.back()), key);
    }
    std::sort(latest.rbegin(), latest.rend());
    for (std::size_t rank = 0; rank < latest.size(); ++rank) {
        const std::vector<std::string>& names = byFolder[latest[rank].second];
        const std::size_t keep = rank < kFoldersKept ? 1 : 0;
        for (std::size_t i = 0; i + keep < names.size(); ++i) {
            fileSystem_.removeFile(folder_ + names[i]);
            stems.erase(stem(names[i]));
        }
    }
    // Names whose journal is gone.
    for (const std::string& name : all)
        if (endsWith(name, kNames) && stems.count(stem(name)) == 0)
            fileSystem_.removeFile(folder_ + name);
}

} // namespace tessaly
