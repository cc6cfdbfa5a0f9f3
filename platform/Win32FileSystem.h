#pragma once

#include "platform/FileSystem.h"

namespace tessaly {

// The real file system through the wide functions, every path in its extended form (see
// extendedPath), so that Windows neither rewrites nor shortens it. Renames, created copies,
// logs, pages and deletions are announced to the shell (SHChangeNotify), so that every
// Explorer view of the folder, a network share's as well, shows them at once.
class Win32FileSystem final : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    std::optional<FileFacts> facts(const std::string& path) const override;
    bool sameFile(const std::string& a, const std::string& b) const override;
    FileResult renameNoReplace(const std::string& from, const std::string& to) override;
    FileResult placeFile(const std::string& from, const std::string& to, bool replace) override;
    FileResult removeFile(const std::string& path) override;
    bool writeNewFile(const std::string& path, const std::string& bytes) override;
    std::unique_ptr<TextFile> createTextFile(const std::string& path, TextForm form) override;
    std::unique_ptr<TextFile> createHeldFile(const std::string& path) override;
    std::unique_ptr<TextFile> appendFile(const std::string& path, Hold hold, bool* busy) override;
    std::optional<std::string> readAt(const std::string& path, std::uint64_t offset,
                                      std::size_t count) const override;
    std::string identity(const std::string& path) const override;
    bool createFolder(const std::string& path) override;
    std::optional<FolderListing> listFolder(const std::string& folder) const override;
    bool ansiCodePageIsUtf8() const override;
    bool fitsAnsiCodePage(const std::string& text) const override;
};

} // namespace tessaly
