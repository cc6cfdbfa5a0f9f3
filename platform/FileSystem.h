#pragma once
// The file system as the batch, its journal, the picture date and the view page need it. One
// Windows implementation (Win32FileSystem); tests use an in-memory one. Paths are whole and
// absolute, UTF-8; each names exactly the entry it spells, however it ends (a blank, a dot).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

// What a directory entry tells of a file: enough to recognise one that nobody changed.
struct FileFacts {
    bool folder = false;
    std::uint64_t size = 0;
    // The last-write time in 100-nanosecond units since 1601-01-01 00:00:00 UTC, exactly as the
    // file system keeps it.
    std::int64_t lastWrite = 0;

    bool operator==(const FileFacts& other) const {
        return folder == other.folder && size == other.size && lastWrite == other.lastWrite;
    }
    bool operator!=(const FileFacts& other) const { return !(*this == other); }
};

// One entry of a folder as a listing tells it.
struct FolderEntry {
    std::string name; // as the file system spells it
    FileFacts facts;
    std::string identity; // see FileSystem::identity
};

// What one pass over a folder reads.
struct FolderListing {
    std::vector<FolderEntry> entries; // its files and folders, in no particular order
    // The longest name the folder's volume takes, in UTF-16 units.
    std::size_t longestName = 255;
};

// The file times' units: 100 nanoseconds, counted from 1601-01-01 00:00:00 UTC.
constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000;
constexpr std::int64_t kFileTimeOf1970 = 116444736000000000; // 1970-01-01 00:00:00 UTC

// The last-write time as whole seconds since 1970-01-01 00:00:00 UTC, rounded down; nothing
// outside the signed 32-bit range.
std::optional<std::int32_t> secondsSince1970(std::int64_t lastWrite);

// How a text file stores its characters.
enum class TextForm {
    AnsiCodePage,         // the ANSI code page, as older programs read it (every character fits)
    Utf8,                 // UTF-8 without a byte-order mark (where the ANSI code page is UTF-8)
    Utf8WithByteOrderMark // UTF-8, marked as such, where some character has no ANSI form
};

// An open text file. Each text goes to the file when it is written, every "\n" stored as CR
// LF. After a write that did not reach the file whole, nothing more is written: the file ends
// with what reached it before, and every later write and the close report the failure.
class TextFile {
public:
    virtual ~TextFile() = default;
    // False when the text did not reach the file whole.
    bool write(const std::string& text);
    // Forces what was written onto the disk itself; false when it cannot.
    virtual bool flush() = 0;
    // Closes the file; false when it, or any write before, failed. Destroying an open file
    // closes it without a report.
    virtual bool close() = 0;

protected:
    virtual bool writeBytes(const std::string& bytes) = 0;
};

// The text with every line feed stored as the two bytes CR LF.
std::string withCrLf(const std::string& text);

// How a rename or a removal ended.
enum class FileResult {
    Done,
    Failed,
    Busy // another program has the file open for a moment (a sharing violation): try again
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Whether anything, file or folder, exists under the path.
    virtual bool exists(const std::string& path) const = 0;
    // Size and last-write time of the entry; nothing when there is none or it cannot be read.
    virtual std::optional<FileFacts> facts(const std::string& path) const = 0;
    // The last-write time in seconds (see secondsSince1970); nothing when unknown.
    std::optional<std::int32_t> modificationTime(const std::string& path) const;
    // Whether the two paths name one and the same existing file, however they are spelled.
    virtual bool sameFile(const std::string& a, const std::string& b) const = 0;

    // Renames a file; fails rather than replace anything that exists under the new path.
    virtual FileResult renameNoReplace(const std::string& from, const std::string& to) = 0;
    // Moves a complete new file (written under a temporary name) to its final name. It
    // replaces a file there only when replace is set (the user agreed to replace it); otherwise
    // it fails rather than replace anything.
    virtual FileResult placeFile(const std::string& from, const std::string& to, bool replace) = 0;
    // Deletes a file (never a folder).
    virtual FileResult removeFile(const std::string& path) = 0;

    // Creates a file that does not exist yet, holding exactly these bytes. False, and no file
    // left behind, when it exists already or cannot be written whole.
    virtual bool writeNewFile(const std::string& path, const std::string& bytes) = 0;
    // Creates the file, or truncates an existing one, for writing text in the given form; null
    // when it cannot.
    virtual std::unique_ptr<TextFile> createTextFile(const std::string& path, TextForm form) = 0;
    // Creates a file that does not exist yet, for writing UTF-8 text, and holds it open with no
    // sharing: nobody else can read, write or delete it until it is closed. Null when it cannot.
    virtual std::unique_ptr<TextFile> createHeldFile(const std::string& path) = 0;
    // Opens an existing file to add UTF-8 text at its end: held as createHeldFile holds it, or
    // shared for reading as createTextFile does. Null when it cannot; busy is then set when
    // someone else holds it.
    enum class Hold { Shared, Held };
    virtual std::unique_ptr<TextFile> appendFile(const std::string& path, Hold hold,
                                                 bool* busy) = 0;

    // At most count bytes of a file from offset on (fewer at its end); nothing when it cannot be
    // read (and nothing for a file that someone holds, see createHeldFile).
    virtual std::optional<std::string> readAt(const std::string& path, std::uint64_t offset,
                                              std::size_t count) const = 0;
    // The first bytes of a file, at most count of them.
    std::optional<std::string> readHead(const std::string& path, std::size_t count) const {
        return readAt(path, 0, count);
    }
    // A whole file.
    std::optional<std::string> readFile(const std::string& path) const;

    // What identifies the file on its volume through every rename, where the volume keeps such
    // identities (NTFS): "<volume>-<file id>". Empty where it keeps none (FAT, whose ids change
    // with a rename) or when it cannot be read.
    virtual std::string identity(const std::string& path) const = 0;

    // Creates the folder and every missing folder above it; true when it exists afterwards.
    virtual bool createFolder(const std::string& path) = 0;
    // The files and folders directly in the folder, and its volume's name limit: one look at a
    // folder that holds thousands of files, where a test of each name costs one call (and under
    // Wine a walk through the folder) apiece. Nothing when the folder cannot be listed (gone, on
    // a medium taken out, no access): that is not an empty folder.
    virtual std::optional<FolderListing> listFolder(const std::string& folder) const = 0;
    // The names of the files (not folders) directly in the folder; none when it cannot be listed.
    std::vector<std::string> fileNames(const std::string& folder) const;

    // The form a text file holding this text is stored in: ASCII text as it is; where the ANSI
    // code page is UTF-8 (a Windows option), UTF-8 without a byte-order mark; otherwise the ANSI
    // code page when every character has its own form there, else UTF-8 with the mark.
    TextForm textFormFor(const std::string& text) const;

    // Whether the ANSI code page is UTF-8. Here: no.
    virtual bool ansiCodePageIsUtf8() const { return false; }
    // Whether every character of the text has its own form in the ANSI code page (none that
    // would become a look-alike or a default character). Here: ASCII only.
    virtual bool fitsAnsiCodePage(const std::string& text) const;
};

} // namespace tessaly
