#include "naming/GraphemeClusters.h"

#include "platform/Utf16.h"

#include <algorithm>
#include <iterator>

namespace tessaly {

namespace {

// A character's grapheme cluster break property; Extended_Pictographic is a property of its own
// in the data, and never falls on a character with another value, so it is one more value here.
enum class GraphemeBreak : unsigned char {
    Other,
    CR,
    LF,
    Control,
    Extend,
    ZWJ,
    RegionalIndicator,
    Prepend,
    SpacingMark,
    L,
    V,
    T,
    LV,
    LVT,
    ExtendedPictographic,
};

struct GraphemeBreakRange {
    char32_t first;
    char32_t last;
    GraphemeBreak property;
};

// The table generated from the Unicode data files at build time (cmake/UnicodeTables.cmake).
#include "generated/GraphemeBreakRanges.h"

GraphemeBreak graphemeBreakOf(char32_t c) {
    if (c >= 0x20 && c < 0x7F)
        return GraphemeBreak::Other;
    const GraphemeBreakRange* const end = std::end(kGraphemeBreakRanges);
    const GraphemeBreakRange* const range = std::lower_bound(
        std::begin(kGraphemeBreakRanges), end, c,
        [](const GraphemeBreakRange& r, char32_t value) { return r.last < value; });
    return range != end && range->first <= c ? range->property : GraphemeBreak::Other;
}

// What the boundary rules need to know of the cluster read so far. No rule looks back beyond
// the cluster's start, so that a cluster can be read from its start alone.
class Cluster {
public:
    explicit Cluster(GraphemeBreak first) { add(first); }

    // Whether a character of the given property belongs to the cluster too.
    bool goesOnWith(GraphemeBreak next) const {
        using G = GraphemeBreak;
        if (last_ == G::CR)
            return next == G::LF;
        if (last_ == G::LF || last_ == G::Control)
            return false;
        if (next == G::CR || next == G::LF || next == G::Control)
            return false;
        if (last_ == G::L && (next == G::L || next == G::V || next == G::LV || next == G::LVT))
            return true;
        if ((last_ == G::LV || last_ == G::V) && (next == G::V || next == G::T))
            return true;
        if ((last_ == G::LVT || last_ == G::T) && next == G::T)
            return true;
        if (next == G::Extend || next == G::ZWJ || next == G::SpacingMark)
            return true;
        if (last_ == G::Prepend)
            return true;
        if (next == G::ExtendedPictographic)
            return pictographicJoined_;
        if (next == G::RegionalIndicator)
            return oddRegionalIndicators_;
        return false;
    }

    void add(GraphemeBreak next) {
        using G = GraphemeBreak;
        // An emoji, its marks and a ZWJ join the next emoji; flags are pairs of indicators.
        pictographicJoined_ = next == G::ZWJ && pictographic_;
        pictographic_ = next == G::ExtendedPictographic || (next == G::Extend && pictographic_);
        oddRegionalIndicators_ = next == G::RegionalIndicator && !oddRegionalIndicators_;
        last_ = next;
    }

private:
    GraphemeBreak last_ = GraphemeBreak::Other;
    bool pictographic_ = false;          // ends in an emoji and its marks
    bool pictographicJoined_ = false;    // and a ZWJ after them
    bool oddRegionalIndicators_ = false; // ends in an unpaired regional indicator
};

} // namespace

std::size_t graphemeClusterEnd(std::string_view text, std::size_t offset) {
    if (offset >= text.size())
        return text.size();
    // Two ASCII characters are two clusters, unless they are CR LF: most names need nothing more.
    if (isAscii(text[offset]) &&
        (offset + 1 == text.size() ||
         (isAscii(text[offset + 1]) && !(text[offset] == '\r' && text[offset + 1] == '\n'))))
        return offset + 1;
    std::size_t length = 0;
    Cluster cluster(graphemeBreakOf(codePointAt(text, offset, length)));
    std::size_t end = offset + length;
    while (end < text.size()) {
        const GraphemeBreak next = graphemeBreakOf(codePointAt(text, end, length));
        if (!cluster.goesOnWith(next))
            break;
        cluster.add(next);
        end += length;
    }
    return end;
}

} // namespace tessaly
