#include "platform/Win32FileSystem.h"

#include <windows.h>

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <cstdio>

namespace tessaly {

namespace {
class StdioTextFile final : public TextFile {
public:
    explicit StdioTextFile(std::FILE* file) : file_(file) {}
    ~StdioTextFile() override { std::fclose(file_); }
    StdioTextFile(const StdioTextFile&) = delete;
    StdioTextFile& operator=(const StdioTextFile&) = delete;

protected:
    // Binary mode: the line ends are already CR LF, and nothing else may change.
    void writeBytes(const std::string& bytes) override {
        std::fwrite(bytes.data(), 1, bytes.size(), file_);
    }

private:
    std::FILE* file_;
};
} // namespace

bool Win32FileSystem::exists(const std::string& path) const {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

std::optional<std::int32_t> Win32FileSystem::modificationTime(const std::string& path) const {
    // _stat64 is in the C runtime of both sizes; a time outside the 32-bit key has none.
    struct _stat64 status;
    if (_stat64(path.c_str(), &status) != 0 || status.st_mtime < INT32_MIN ||
        status.st_mtime > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(status.st_mtime);
}

std::unique_ptr<TextFile> Win32FileSystem::createTextFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return nullptr;
    return std::make_unique<StdioTextFile>(file);
}

} // namespace tessaly
