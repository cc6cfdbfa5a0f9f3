#pragma once

#include "platform/FileSystem.h"

namespace tessaly {

// The real file system through the ANSI functions: MoveFileA, GetFileAttributesA, _stat32.
class Win32FileSystem final : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    bool renameNoReplace(const std::string& from, const std::string& to) override;
    std::optional<std::int32_t> modificationTime(const std::string& path) const override;
    std::unique_ptr<TextFile> createTextFile(const std::string& path) override;
};

} // namespace tessaly
