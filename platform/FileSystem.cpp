#include "platform/FileSystem.h"

#include "platform/Utf16.h"

#include <limits>

namespace tessaly {

std::optional<std::int32_t> secondsSince1970(std::int64_t lastWrite) {
    const std::int64_t units = lastWrite - kFileTimeOf1970;
    // Rounded down, also before 1970.
    std::int64_t seconds = units / kFileTimeUnitsPerSecond;
    if (units % kFileTimeUnitsPerSecond < 0)
        --seconds;
    if (seconds < std::numeric_limits<std::int32_t>::min() ||
        seconds > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(seconds);
}

bool TextFile::write(const std::string& text) {
    return writeBytes(withCrLf(text));
}

std::string withCrLf(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

std::optional<std::int32_t> FileSystem::modificationTime(const std::string& path) const {
    const std::optional<FileFacts> found = facts(path);
    if (!found)
        return std::nullopt;
    return secondsSince1970(found->lastWrite);
}

std::optional<std::string> FileSystem::readFile(const std::string& path) const {
    return readHead(path, std::numeric_limits<std::size_t>::max());
}

std::vector<std::string> FileSystem::fileNames(const std::string& folder) const {
    std::vector<std::string> names;
    if (const std::optional<FolderListing> listing = listFolder(folder))
        for (const FolderEntry& entry : listing->entries)
            if (!entry.facts.folder)
                names.push_back(entry.name);
    return names;
}

TextForm FileSystem::textFormFor(const std::string& text) const {
    if (isAscii(text))
        return TextForm::AnsiCodePage;
    if (ansiCodePageIsUtf8())
        return TextForm::Utf8;
    return fitsAnsiCodePage(text) ? TextForm::AnsiCodePage : TextForm::Utf8WithByteOrderMark;
}

bool FileSystem::fitsAnsiCodePage(const std::string& text) const {
    return isAscii(text);
}

} // namespace tessaly
