#pragma once
// A resizer that writes its copies into the in-memory file system, as the picture library
// would: it reads the source, asks through the message boxes before it replaces an existing
// target, and never replaces one it did not ask about. A copy holds "copy of " and the source's
// bytes. Every step is a call of the file system, so a planned fault can hit it.

#include "imaging/ImageResizer.h"
#include "platform/MessageBoxes.h"
#include "support/FakeFileSystem.h"

#include <limits>
#include <string>
#include <vector>

namespace tessaly::test {

class DiskResizer final : public ImageResizer {
public:
    DiskResizer(FakeFileSystem& disk, MessageBoxes& messages) : disk_(disk), messages_(messages) {}

    std::vector<std::string> replacedAfterYes;

    int ResizeToJpeg(const std::string& source, const std::string& target, unsigned,
                     unsigned) override {
        const auto picture = disk_.readHead(source, std::numeric_limits<std::size_t>::max());
        if (!picture)
            return resize::NotWritten;
        const bool taken = disk_.exists(target);
        if (taken) {
            const int answer =
                messages_.show(MessageOwner::Foreground, target + " exists. Replace?", "Tessaly",
                               mb::YesNoCancel | mb::IconWarning);
            if (answer == mb::IdCancel)
                return resize::CancelAll;
            if (answer != mb::IdYes)
                return resize::NotWritten;
        }
        if (!disk_.writeFile(target, "copy of " + *picture, taken))
            return resize::NotWritten;
        if (taken)
            replacedAfterYes.push_back(target);
        return resize::Written;
    }

    std::optional<std::string> ReadDateTimeTag(const std::string&) const override {
        return std::nullopt;
    }

private:
    FakeFileSystem& disk_;
    MessageBoxes& messages_;
};

} // namespace tessaly::test
