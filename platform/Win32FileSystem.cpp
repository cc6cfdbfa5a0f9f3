#include "platform/Win32FileSystem.h"

#include "platform/WideText.h"

#include <windows.h>

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <cstdio>

namespace tessaly {

namespace {
// The text is held until the file closes: only the whole of it tells which form it is stored in.
class StdioTextFile final : public TextFile {
public:
    explicit StdioTextFile(std::FILE* file) : file_(file) {}
    ~StdioTextFile() override {
        // Binary mode: the line ends are already CR LF, and nothing else may change.
        if (const std::optional<std::string> ansi = exactAnsiFromUtf8(text_)) {
            std::fwrite(ansi->data(), 1, ansi->size(), file_);
        } else {
            static const char kByteOrderMark[] = "\xEF\xBB\xBF";
            std::fwrite(kByteOrderMark, 1, 3, file_);
            std::fwrite(text_.data(), 1, text_.size(), file_);
        }
        std::fclose(file_);
    }
    StdioTextFile(const StdioTextFile&) = delete;
    StdioTextFile& operator=(const StdioTextFile&) = delete;

protected:
    void writeBytes(const std::string& bytes) override { text_ += bytes; }

private:
    std::FILE* file_;
    std::string text_;
};
} // namespace

bool Win32FileSystem::exists(const std::string& path) const {
    return GetFileAttributesW(wideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
    return MoveFileW(wideFromUtf8(from).c_str(), wideFromUtf8(to).c_str()) != FALSE;
}

std::optional<std::int32_t> Win32FileSystem::modificationTime(const std::string& path) const {
    // _stat64 is in the C runtime of both sizes; a time outside the 32-bit key has none.
    struct _stat64 status;
    if (_wstat64(wideFromUtf8(path).c_str(), &status) != 0 || status.st_mtime < INT32_MIN ||
        status.st_mtime > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(status.st_mtime);
}

bool Win32FileSystem::storesInAnsiCodePage(const std::string& text) const {
    return exactAnsiFromUtf8(text).has_value();
}

std::unique_ptr<TextFile> Win32FileSystem::createTextFile(const std::string& path) {
    std::FILE* file = _wfopen(wideFromUtf8(path).c_str(), L"wb");
    if (file == nullptr)
        return nullptr;
    return std::make_unique<StdioTextFile>(file);
}

std::optional<std::string> Win32FileSystem::readHead(const std::string& path,
                                                     std::size_t count) const {
    std::FILE* file = _wfopen(wideFromUtf8(path).c_str(), L"rb");
    if (file == nullptr)
        return std::nullopt;
    std::string bytes(count, '\0');
    bytes.resize(std::fread(&bytes[0], 1, count, file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return bytes;
}

} // namespace tessaly
