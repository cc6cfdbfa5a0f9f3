#include "support/FakeFileSystem.h"

#include <algorithm>

namespace tessaly::test {

class FakeFileSystem::MemoryTextFile final : public TextFile {
public:
    MemoryTextFile(FakeFileSystem& owner, std::string entryKey)
        : owner_(owner), key_(std::move(entryKey)) {}

protected:
    // Once someone else moved the file away, the writes are lost.
    void writeBytes(const std::string& bytes) override {
        const auto it = owner_.entries_.find(key_);
        if (it != owner_.entries_.end())
            it->second.bytes += bytes;
    }

private:
    FakeFileSystem& owner_;
    std::string key_;
};

std::string FakeFileSystem::key(const std::string& path) const {
    std::string k = path;
    if (ignoresCase_)
        std::transform(k.begin(), k.end(), k.begin(), [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        });
    return k;
}

bool FakeFileSystem::call(const std::string& source, const std::string& target) const {
    if (++calls != faultCall_)
        return false;
    switch (faultKind_) {
    case FaultKind::Fail:
        faultDone = true;
        return true;
    case FaultKind::Appear:
        if (entries_.count(key(target)) == 0) {
            entries_[key(target)] = Entry{target, false, 0, "someone else's " + target};
            appeared.push_back(target);
            faultDone = true;
        }
        return false;
    case FaultKind::Vanish:
        const auto it = entries_.find(key(source));
        if (it != entries_.end() && !it->second.folder) {
            const std::string to = kElsewhere + source.substr(source.find_last_of("\\/") + 1);
            Entry moved = it->second;
            moved.path = to;
            entries_.erase(it);
            entries_[key(to)] = moved;
            vanished.emplace_back(source, to);
            faultDone = true;
        }
        return false;
    }
    return false;
}

void FakeFileSystem::addFile(const std::string& path, std::int32_t modified,
                             const std::string& bytes) {
    entries_[key(path)] = Entry{path, false, modified, bytes};
}

void FakeFileSystem::addFolder(const std::string& path) {
    entries_[key(path)] = Entry{path, true, 0, ""};
}

bool FakeFileSystem::hasFile(const std::string& path) const {
    const auto it = entries_.find(key(path));
    return it != entries_.end() && !it->second.folder;
}

std::string FakeFileSystem::storedPath(const std::string& path) const {
    const auto it = entries_.find(key(path));
    return it == entries_.end() ? std::string() : it->second.path;
}

std::string FakeFileSystem::bytes(const std::string& path) const {
    const auto it = entries_.find(key(path));
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

bool FakeFileSystem::exists(const std::string& path) const {
    const_cast<FakeFileSystem*>(this)->existsCalls++;
    // A query that fails answers as if nothing were there; Fail plans no fault for it.
    if (faultKind_ != FaultKind::Fail)
        call(path, path);
    else
        ++calls;
    return entries_.count(key(path)) != 0;
}

bool FakeFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    if (call(from, to))
        return false;
    const auto source = entries_.find(key(from));
    if (source == entries_.end() || source->second.folder || failingRenames_.count(key(from)))
        return false;
    const bool sameEntry = key(from) == key(to);
    if (!sameEntry && entries_.count(key(to)) != 0)
        return false;
    Entry moved = source->second;
    moved.path = to;
    entries_.erase(source);
    entries_[key(to)] = moved;
    renames.emplace_back(from, to);
    return true;
}

std::optional<std::int32_t> FakeFileSystem::modificationTime(const std::string& path) const {
    ++modificationTimeCalls;
    if (call(path, path))
        return std::nullopt;
    const auto it = entries_.find(key(path));
    if (it == entries_.end())
        return std::nullopt;
    return it->second.modified;
}

std::optional<std::string> FakeFileSystem::readHead(const std::string& path,
                                                    std::size_t count) const {
    if (call(path, path))
        return std::nullopt;
    const auto it = entries_.find(key(path));
    if (it == entries_.end() || it->second.folder)
        return std::nullopt;
    std::string head = it->second.bytes.substr(0, count);
    bytesRead += head.size();
    return head;
}

std::unique_ptr<TextFile> FakeFileSystem::createTextFile(const std::string& path) {
    if (call(path, path) || failingCreates_.count(key(path)))
        return nullptr;
    const auto it = entries_.find(key(path));
    if (it != entries_.end() && it->second.folder)
        return nullptr;
    entries_[key(path)] = Entry{it == entries_.end() ? path : it->second.path, false, 0, ""};
    return std::make_unique<MemoryTextFile>(*this, key(path));
}

bool FakeFileSystem::writeFile(const std::string& path, const std::string& bytes, bool replace) {
    if (call(path, path))
        return false;
    const auto it = entries_.find(key(path));
    if (it != entries_.end() && (it->second.folder || !replace))
        return false;
    entries_[key(path)] = Entry{it == entries_.end() ? path : it->second.path, false, 0, bytes};
    return true;
}

} // namespace tessaly::test
