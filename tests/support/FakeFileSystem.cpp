#include "support/FakeFileSystem.h"

#include "naming/CaseFolding.h"

#include <algorithm>

namespace tessaly::test {

// Writes go to the entry at once, as to a real file whose data the system keeps even when the
// process that wrote it dies.
class FakeFileSystem::MemoryTextFile final : public TextFile {
public:
    MemoryTextFile(FakeFileSystem& owner, std::string entryKey, TextForm form, bool held)
        : owner_(owner), key_(std::move(entryKey)), held_(held) {
        owner_.openFiles_.insert(this);
        if (form == TextForm::Utf8WithByteOrderMark)
            append("\xEF\xBB\xBF");
    }
    ~MemoryTextFile() override {
        release();
        owner_.openFiles_.erase(this);
    }
    // An open file follows its entry when someone else moves it.
    void moved(const std::string& from, const std::string& to) {
        if (owner_.same(key_, from))
            key_ = to;
    }

    bool flush() override {
        if (owner_.call(path(), path()))
            failed_ = true;
        return !failed_;
    }
    bool close() override {
        if (!open_)
            return !failed_;
        if (owner_.call(path(), path()))
            failed_ = true;
        release();
        return !failed_;
    }

protected:
    bool writeBytes(const std::string& bytes) override {
        if (failed_ || !open_)
            return false;
        if (owner_.dyingInWrite()) {
            // The power went in the middle of the text.
            append(bytes.substr(0, bytes.size() / 2));
            owner_.call(path(), path());
            owner_.deathThrown_ = true;
            throw ProcessDeath{};
        }
        if (owner_.call(path(), path())) {
            // The disk filled up in the middle of the text.
            append(bytes.substr(0, bytes.size() / 2));
            failed_ = true;
            return false;
        }
        append(bytes);
        return true;
    }

private:
    std::string path() const {
        const auto it = owner_.entries_.find(key_);
        return it == owner_.entries_.end() ? key_ : it->second.path;
    }
    // Once someone else moved the file away, the writes are lost.
    void append(const std::string& bytes) {
        const auto it = owner_.entries_.find(key_);
        if (it != owner_.entries_.end())
            it->second.bytes += bytes;
    }
    void release() {
        if (!open_)
            return;
        open_ = false;
        const auto it = owner_.entries_.find(key_);
        if (held_ && it != owner_.entries_.end())
            it->second.held = false;
    }

    FakeFileSystem& owner_;
    std::string key_;
    bool held_;
    bool open_ = true;
    bool failed_ = false;
};

bool FakeFileSystem::same(const std::string& a, const std::string& b) const {
    return ignoresCase_ ? sameFileSystemName(a, b) : a == b;
}

bool FakeFileSystem::dyingInWrite() const {
    return deathMidWrite_ && !dead_ && calls + 1 == deathCall_;
}

bool FakeFileSystem::call(const std::string& source, const std::string& target) const {
    if (dead_) {
        if (!deathThrown_) {
            deathThrown_ = true;
            throw ProcessDeath{};
        }
        return true;
    }
    ++calls;
    if (calls == deathCall_)
        dead_ = true; // this call still happens
    if (calls != faultCall_)
        return false;
    switch (faultKind_) {
    case FaultKind::Fail:
        faultDone = true;
        return true;
    case FaultKind::Appear:
        if (entries_.count(target) == 0) {
            entries_[target] = newEntry(target, now(), "someone else's " + target);
            appeared.push_back(target);
            faultDone = true;
        }
        return false;
    case FaultKind::Vanish:
        const auto it = entries_.find(source);
        if (it != entries_.end() && !it->second.folder && !it->second.held) {
            const std::string to = kElsewhere + source.substr(source.find_last_of("\\/") + 1);
            Entry moved = it->second;
            moved.path = to;
            entries_.erase(it);
            entries_[to] = moved;
            for (MemoryTextFile* open : openFiles_)
                open->moved(source, to);
            vanished.emplace_back(source, to);
            faultDone = true;
        }
        return false;
    }
    return false;
}

void FakeFileSystem::addFile(const std::string& path, std::int32_t modified,
                             const std::string& bytes) {
    entries_[path] = newEntry(path, kFileTimeOf1970 + modified * kFileTimeUnitsPerSecond, bytes);
}

void FakeFileSystem::addFolder(const std::string& path) {
    Entry folder = newEntry(path, 0, "");
    folder.folder = true;
    entries_[path] = folder;
}

void FakeFileSystem::putFile(const std::string& path, const std::string& bytes,
                             std::optional<std::int64_t> lastWrite) {
    const auto it = entries_.find(path);
    if (it == entries_.end()) {
        entries_[path] = newEntry(path, lastWrite.value_or(now()), bytes);
        return;
    }
    // Written over in place: the same file, with new bytes.
    it->second.bytes = bytes;
    it->second.lastWrite = lastWrite.value_or(now());
}

bool FakeFileSystem::hasFile(const std::string& path) const {
    const auto it = entries_.find(path);
    return it != entries_.end() && !it->second.folder;
}

std::string FakeFileSystem::storedPath(const std::string& path) const {
    const auto it = entries_.find(path);
    return it == entries_.end() ? std::string() : it->second.path;
}

std::string FakeFileSystem::bytes(const std::string& path) const {
    const auto it = entries_.find(path);
    return it == entries_.end() ? std::string() : it->second.bytes;
}

std::vector<std::string> FakeFileSystem::files() const {
    std::vector<std::string> result;
    for (const auto& [k, entry] : entries_)
        if (!entry.folder)
            result.push_back(entry.path);
    std::sort(result.begin(), result.end());
    return result;
}

bool FakeFileSystem::held(const std::string& path) const {
    const auto it = entries_.find(path);
    return it != entries_.end() && it->second.held;
}

bool FakeFileSystem::exists(const std::string& path) const {
    const_cast<FakeFileSystem*>(this)->existsCalls++;
    if (onExists)
        onExists();
    // A query that fails answers as if nothing were there; Fail plans no fault for it.
    const bool failed = call(path, path);
    if (dead_ && failed)
        return false;
    return entries_.count(path) != 0;
}

std::optional<FileFacts> FakeFileSystem::facts(const std::string& path) const {
    ++modificationTimeCalls;
    if (call(path, path))
        return std::nullopt;
    const auto it = entries_.find(path);
    if (it == entries_.end())
        return std::nullopt;
    FileFacts found;
    found.folder = it->second.folder;
    found.size = it->second.bytes.size();
    found.lastWrite = it->second.lastWrite;
    return found;
}

bool FakeFileSystem::sameFile(const std::string& a, const std::string& b) const {
    if (call(a, b))
        return false;
    return a == b && entries_.count(a) != 0;
}

FileResult FakeFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    if (call(from, to))
        return FileResult::Failed;
    const auto source = entries_.find(from);
    if (source == entries_.end() || source->second.folder || source->second.held ||
        failingRenames_.count(from))
        return FileResult::Failed;
    const auto busy = busyRenames_.find(from);
    if (busy != busyRenames_.end() && busy->second > 0) {
        --busy->second;
        return FileResult::Busy;
    }
    const bool sameEntry = same(from, to);
    if (!sameEntry && entries_.count(to) != 0)
        return FileResult::Failed;
    Entry moved = source->second;
    moved.path = to;
    entries_.erase(source);
    entries_[to] = moved;
    renames.emplace_back(from, to);
    return FileResult::Done;
}

FileResult FakeFileSystem::placeFile(const std::string& from, const std::string& to, bool replace) {
    if (call(from, to))
        return FileResult::Failed;
    const auto source = entries_.find(from);
    if (source == entries_.end() || source->second.folder || same(from, to))
        return FileResult::Failed;
    const auto target = entries_.find(to);
    if (target != entries_.end() && (!replace || target->second.folder || target->second.held))
        return FileResult::Failed;
    Entry moved = source->second;
    moved.path = target == entries_.end() ? to : target->second.path;
    entries_.erase(source);
    entries_[to] = moved;
    return FileResult::Done;
}

FileResult FakeFileSystem::removeFile(const std::string& path) {
    if (call(path, path))
        return FileResult::Failed;
    const auto it = entries_.find(path);
    if (it == entries_.end() || it->second.folder || it->second.held)
        return FileResult::Failed;
    entries_.erase(it);
    return FileResult::Done;
}

bool FakeFileSystem::writeNewFile(const std::string& path, const std::string& bytes) {
    if (call(path, path) || failingCreates_.count(path) || entries_.count(path) != 0)
        return false;
    entries_[path] = newEntry(path, now(), bytes);
    return true;
}

std::unique_ptr<TextFile> FakeFileSystem::createTextFile(const std::string& path, TextForm form) {
    if (call(path, path) || failingCreates_.count(path))
        return nullptr;
    const auto it = entries_.find(path);
    if (it != entries_.end() && (it->second.folder || it->second.held))
        return nullptr;
    Entry created = newEntry(it == entries_.end() ? path : it->second.path, now(), "");
    if (it != entries_.end())
        created.id = it->second.id; // truncated, the same file
    entries_[path] = created;
    return std::make_unique<MemoryTextFile>(*this, path, form, false);
}

std::unique_ptr<TextFile> FakeFileSystem::createHeldFile(const std::string& path) {
    if (call(path, path) || failingCreates_.count(path) || entries_.count(path) != 0)
        return nullptr;
    entries_[path] = newEntry(path, now(), "", true);
    return std::make_unique<MemoryTextFile>(*this, path, TextForm::Utf8, true);
}

std::unique_ptr<TextFile> FakeFileSystem::appendFile(const std::string& path, Hold hold,
                                                     bool* busy) {
    if (busy != nullptr)
        *busy = false;
    if (call(path, path))
        return nullptr;
    const auto it = entries_.find(path);
    if (it == entries_.end() || it->second.folder)
        return nullptr;
    if (it->second.held) {
        if (busy != nullptr)
            *busy = true;
        return nullptr;
    }
    const bool held = hold == Hold::Held;
    it->second.held = held;
    return std::make_unique<MemoryTextFile>(*this, path, TextForm::Utf8, held);
}

std::optional<std::string> FakeFileSystem::readAt(const std::string& path, std::uint64_t offset,
                                                  std::size_t count) const {
    if (call(path, path))
        return std::nullopt;
    const auto it = entries_.find(path);
    if (it == entries_.end() || it->second.folder || it->second.held || failingReads_.count(path))
        return std::nullopt;
    const std::string& all = it->second.bytes;
    std::string piece = offset >= all.size() ? std::string() : all.substr(offset, count);
    bytesRead += piece.size();
    return piece;
}

std::string FakeFileSystem::identity(const std::string& path) const {
    if (call(path, path))
        return std::string();
    const auto it = entries_.find(path);
    if (!keepsIdentities || it == entries_.end())
        return std::string();
    return "fake-" + std::to_string(it->second.id);
}

bool FakeFileSystem::createFolder(const std::string& path) {
    if (call(path, path))
        return false;
    std::string folder = path;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    const auto it = entries_.find(folder);
    if (it != entries_.end())
        return it->second.folder;
    Entry created = newEntry(folder, 0, "");
    created.folder = true;
    entries_[folder] = created;
    return true;
}

std::optional<FolderListing> FakeFileSystem::listFolder(const std::string& folder) const {
    ++listFolderCalls;
    if (call(folder, folder) || failingListings_.count(folder) != 0)
        return std::nullopt;
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\')
        prefix += '\\';
    FolderListing listing;
    listing.longestName = longestName;
    for (const auto& [k, entry] : entries_) {
        // The folder spelled alike, byte for byte, is the common case: no copy for it.
        if (entry.path.size() <= prefix.size() ||
            (entry.path.compare(0, prefix.size(), prefix) != 0 &&
             !same(entry.path.substr(0, prefix.size()), prefix)))
            continue;
        const std::string name = entry.path.substr(prefix.size());
        if (name.find('\\') != std::string::npos)
            continue;
        FolderEntry listed;
        listed.name = name;
        listed.facts.folder = entry.folder;
        listed.facts.size = entry.bytes.size();
        listed.facts.lastWrite = entry.lastWrite;
        if (keepsIdentities)
            listed.identity = "fake-" + std::to_string(entry.id);
        listing.entries.push_back(std::move(listed));
    }
    return listing;
}

} // namespace tessaly::test
