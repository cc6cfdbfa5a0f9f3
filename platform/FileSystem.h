#pragma once
// The file system as the batch, the picture date and the view page need it. One Windows
// implementation (Win32FileSystem); tests use an in-memory one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tessaly {

// The longest path, in UTF-16 units, that the platform's file functions take (MAX_PATH without
// its terminator). Longer paths are refused whole; they are never cut to fit.
constexpr std::size_t kMaxPathLength = 259;

// Whether the path is short enough for the platform's file functions.
bool fitsMaxPath(const std::string& path);

// An open text file, written as UTF-8. Every "\n" written is stored as CR LF, on every
// platform. Closed when destroyed; the platform's file is stored in the ANSI code page when the
// whole text can be (see FileSystem::storesInAnsiCodePage).
class TextFile {
public:
    virtual ~TextFile() = default;
    void write(const std::string& text);

protected:
    virtual void writeBytes(const std::string& bytes) = 0;
};

// The text with every line feed stored as the two bytes CR LF.
std::string withCrLf(const std::string& text);

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Whether anything, file or folder, exists under the path.
    virtual bool exists(const std::string& path) const = 0;
    // Renames a file; fails rather than replace anything that exists under the new path.
    virtual bool renameNoReplace(const std::string& from, const std::string& to) = 0;
    // The last-write time in whole seconds since 1970-01-01 00:00:00 UTC, as a 32-bit stat
    // reports it; nothing when the file's status cannot be read.
    virtual std::optional<std::int32_t> modificationTime(const std::string& path) const = 0;
    // Creates the file, or truncates an existing one, for writing text; null when it cannot.
    virtual std::unique_ptr<TextFile> createTextFile(const std::string& path) = 0;
    // The first bytes of a file, at most count of them; nothing when it cannot be read.
    virtual std::optional<std::string> readHead(const std::string& path,
                                                std::size_t count) const = 0;
    // Whether a text file holding this text is stored in the ANSI code page, as older programs
    // read it; otherwise it is UTF-8 with a byte-order mark. Here: when the text is ASCII.
    virtual bool storesInAnsiCodePage(const std::string& text) const;
};

} // namespace tessaly
