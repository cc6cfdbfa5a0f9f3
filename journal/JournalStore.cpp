#include "journal/JournalStore.h"

#include "naming/CaseFolding.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>

namespace tessaly {

namespace {

struct StateName {
    JournalState state;
    const char* suffix;
};
// "running" is a batch's journal until it finishes: its first state, Planned.
const StateName kStates[] = {{JournalState::Planned, ".running"},
                             {JournalState::Finished, ".finished"},
                             {JournalState::Undoing, ".undoing"},
                             {JournalState::Undone, ".undone"}};
const char kSetAside[] = ".unreadable";

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
    return dot == std::string::npos ? name : name.substr(0, dot);
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

} // namespace

std::string folderKey(const std::string& folder) {
    // FNV-1a over the folded path: short, and the same on every run.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : foldedCase(folder)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

JournalStore::JournalStore(FileSystem& fileSystem, std::string folder)
    : fileSystem_(fileSystem), folder_(std::move(folder)) {}

std::unique_ptr<TextFile> JournalStore::create(const std::string& batchFolder,
                                               const std::string& batchId, std::string& path) {
    path = folder_ + folderKey(batchFolder) + "-" + batchId + suffixOf(JournalState::Planned);
    if (!fileSystem_.createFolder(folder_))
        return nullptr;
    return fileSystem_.createHeldFile(path);
}

std::string JournalStore::rename(const std::string& path, JournalState state) {
    const std::string renamed = stem(path) + suffixOf(state);
    if (renamed == path || fileSystem_.renameNoReplace(path, renamed) != FileResult::Done)
        return path;
    return renamed;
}

void JournalStore::setAside(const std::string& path) {
    fileSystem_.renameNoReplace(path, stem(path) + kSetAside);
}

std::vector<JournalStore::Interrupted> JournalStore::interrupted() {
    std::vector<std::string> names = fileSystem_.fileNames(folder_);
    std::sort(names.begin(), names.end());
    std::vector<Interrupted> found;
    for (const std::string& name : names) {
        const std::optional<JournalState> named = stateOfName(name);
        if (!named || (*named != JournalState::Planned && *named != JournalState::Undoing))
            continue;
        const std::string path = folder_ + name;
        // A journal that a running batch holds cannot be taken.
        bool busy = false;
        if (!fileSystem_.appendHeldFile(path, &busy) && busy)
            continue;
        const std::optional<std::string> text = fileSystem_.readFile(path);
        if (!text)
            continue;
        // A batch's plan that never reached the disk whole: the batch touched no file.
        if (*named == JournalState::Planned && !journalPlanComplete(*text)) {
            fileSystem_.removeFile(path);
            continue;
        }
        std::optional<Journal> journal = parseJournal(*text);
        if (journal &&
            (journal->state == JournalState::Finished || journal->state == JournalState::Undone)) {
            // Done: only its name lagged behind.
            rename(path, journal->state);
            continue;
        }
        found.push_back({path, std::move(journal)});
    }
    return found;
}

std::optional<StoredJournal> JournalStore::lastFinished(const std::string& batchFolder) const {
    const std::string prefix = folderKey(batchFolder) + "-";
    std::string newest;
    for (const std::string& name : fileSystem_.fileNames(folder_)) {
        const std::optional<JournalState> named = stateOfName(name);
        if (name.compare(0, prefix.size(), prefix) != 0 || !named ||
            *named == JournalState::Planned)
            continue;
        if (newest.empty() || idOfName(name) > idOfName(newest))
            newest = name;
    }
    if (newest.empty() || stateOfName(newest) != JournalState::Finished)
        return std::nullopt;
    const std::string path = folder_ + newest;
    const std::optional<std::string> text = fileSystem_.readFile(path);
    if (!text)
        return std::nullopt;
    std::optional<Journal> journal = parseJournal(*text);
    if (!journal || journal->state != JournalState::Finished ||
        !sameFileSystemName(journal->folder, batchFolder))
        return std::nullopt;
    return StoredJournal{path, std::move(*journal)};
}

void JournalStore::prune() {
    // By folder key, the names of finished and undone batches (and set-aside journals), oldest
    // first.
    std::map<std::string, std::vector<std::string>> byFolder;
    for (const std::string& name : fileSystem_.fileNames(folder_)) {
        const std::optional<JournalState> named = stateOfName(name);
        const bool settled =
            (named && (*named == JournalState::Finished || *named == JournalState::Undone)) ||
            endsWith(name, kSetAside);
        if (settled && !keyOfName(name).empty())
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
        for (std::size_t i = 0; i + keep < names.size(); ++i)
            fileSystem_.removeFile(folder_ + names[i]);
    }
}

} // namespace tessaly
