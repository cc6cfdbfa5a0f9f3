#pragma once
// The names Tessaly gives files for a moment: a copy while it is written, a file renamed in two
// steps between them. Recognisably Tessaly's ("~Tessaly-"), unique to one batch by its id, and
// never taken by a user's file, since nothing is ever moved onto a name that exists.

#include <cstddef>
#include <string>

namespace tessaly {

enum class TemporaryUse : char {
    Copy = 'c',    // a resized copy before it takes its name
    Rename = 'r',  // a file renamed in two steps
    Restore = 'u', // a file put back in two steps
    Page = 'p',    // a picture page while it is written
    Log = 'l',     // a log written again in another form
};

// A new id for a batch or a page: the time it starts (so that ids sort in that order) and a
// random part.
std::string newTemporaryId();

// "~Tessaly-<batch id>-<use><index>.tmp"
std::string temporaryName(const std::string& batchId, TemporaryUse use, std::size_t index);

} // namespace tessaly
