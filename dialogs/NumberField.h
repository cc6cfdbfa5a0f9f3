#pragma once
// Numbers typed into the dialogs' edits: read as the dialogs read them, and written back.

#include "dialogs/DialogControls.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessaly {

// The signed number the text starts with, after leading blanks; what follows it is ignored.
// Nothing when the text does not start with one. Beyond the range of int it stays at the
// nearest end.
std::optional<int> leadingNumber(const std::string& text);

// The text as a non-negative whole number: digits only, with blanks around them at most, and
// no more than 32 bits hold. Nothing otherwise.
std::optional<std::uint32_t> wholeNumber(const std::string& text);

// The decimal text of a number field.
std::string unsignedText(std::uint32_t value);

// Reads a number field back. When it holds no whole number up to largest, the user is told so
// and the focus goes into the field with its text selected; nothing is read then.
std::optional<std::uint32_t> readNumberField(DialogControls& controls, int id,
                                             std::uint32_t largest = UINT32_MAX);

} // namespace tessaly
