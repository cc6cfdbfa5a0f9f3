#include "support/FakeFileSystem.h"

#include <algorithm>

namespace tessaly::test {

class FakeFileSystem::MemoryTextFile final : public TextFile {
public:
    MemoryTextFile(FakeFileSystem& owner, std::string entryKey)
        : owner_(owner), key_(std::move(entryKey)) {}

protected:
    void writeBytes(const std::string& bytes) override { owner_.entries_[key_].bytes += bytes; }

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
    return entries_.count(key(path)) != 0;
}

bool FakeFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
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
    const auto it = entries_.find(key(path));
    if (it == entries_.end())
        return std::nullopt;
    return it->second.modified;
}

std::optional<std::string> FakeFileSystem::readHead(const std::string& path,
                                                    std::size_t count) const {
    const auto it = entries_.find(key(path));
    if (it == entries_.end() || it->second.folder)
        return std::nullopt;
    std::string head = it->second.bytes.substr(0, count);
    bytesRead += head.size();
    return head;
}

std::unique_ptr<TextFile> FakeFileSystem::createTextFile(const std::string& path) {
    if (failingCreates_.count(key(path)))
        return nullptr;
    const auto it = entries_.find(key(path));
    if (it != entries_.end() && it->second.folder)
        return nullptr;
    entries_[key(path)] = Entry{it == entries_.end() ? path : it->second.path, false, 0, ""};
    return std::make_unique<MemoryTextFile>(*this, key(path));
}

} // namespace tessaly::test
