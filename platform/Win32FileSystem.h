#pragma once

#include "platform/FileSystem.h"

namespace tessaly {

// The real file system through the wide functions: MoveFileW, GetFileAttributesW, _wstat64,
// _wfopen.
class Win32FileSystem final : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    bool renameNoReplace(const std::string& from, const std::string& to) override;
    std::optional<std::int32_t> modificationTime(const std::string& path) const override;
    std::unique_ptr<TextFile> createTextFile(const std::string& path) override;
    std::optional<std::string> readHead(const std::string& path, std::size_t count) const override;
    bool storesInAnsiCodePage(const std::string& text) const override;
};

} // namespace tessaly
