#include "naming/Utf8Text.h"

#include "naming/GraphemeClusters.h"
#include "platform/Utf16.h"

#include <algorithm>
#include <limits>

namespace tessaly {

namespace {

// The byte offset after the first count characters, or the text's length.
std::size_t offsetAfterCharacters(const std::string& text, int count) {
    std::size_t offset = 0;
    for (int n = 0; n < count && offset < text.size(); ++n)
        offset = graphemeClusterEnd(text, offset);
    return offset;
}

} // namespace

std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < text.size(); ++count)
        offset = graphemeClusterEnd(text, offset);
    return count;
}

std::string leadingCharacters(const std::string& text, int count) {
    return text.substr(0, offsetAfterCharacters(text, count));
}

std::string charactersAfter(const std::string& text, int count) {
    return text.substr(offsetAfterCharacters(text, count));
}

std::size_t sharedLeadingBytes(std::string_view a, std::string_view b) {
    const std::size_t limit = std::min(a.size(), b.size());
    std::size_t same = 0;
    bool ascii = true;
    for (; same < limit && a[same] == b[same]; ++same)
        ascii = ascii && isAscii(a[same]);
    // Between two ASCII characters there is always a character end, unless they are CR LF.
    const bool asciiAfter =
        (same == a.size() || isAscii(a[same])) && (same == b.size() || isAscii(b[same]));
    const bool crLf =
        same > 0 && a[same - 1] == '\r' &&
        ((same < a.size() && a[same] == '\n') || (same < b.size() && b[same] == '\n'));
    if (ascii && asciiAfter && !crLf)
        return same;
    // Walks the character ends of both texts side by side up to there; the last end they share
    // is the answer. Past a text's end there is no further end.
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    const auto next = [](std::string_view text, std::size_t offset) {
        return offset < text.size() ? graphemeClusterEnd(text, offset) : kNone;
    };
    std::size_t shared = 0;
    std::size_t inA = 0;
    std::size_t inB = 0;
    while (std::min(inA, inB) <= same) {
        if (inA == inB) {
            shared = inA;
            inA = next(a, inA);
            inB = next(b, inB);
        } else if (inA < inB) {
            inA = next(a, inA);
        } else {
            inB = next(b, inB);
        }
    }
    return shared;
}

} // namespace tessaly
