#pragma once
// The rules that make the numbered part of a new name. The main dialog's example uses them with
// its own current values, the job with its options.

#include <cstddef>
#include <string>

namespace tessaly {

// Digit counts beyond this come only from a hand-edited setting; they are treated as this many.
constexpr int kMaxNumberDigits = 9;

// Where the run of decimal digits at the end of the text starts (the text's length when it
// does not end in a digit). Only a digit that is a character of its own counts: a digit with a
// combining mark, or one that a number sign before it governs, stays with its character.
std::size_t trailingDigitsStart(const std::string& text);

// The number in decimal, padded with leading zeros to at least digits digits (at most
// kMaxNumberDigits); a wider number is given in full.
std::string numberText(int digits, int number);

// With renumber 0 the text itself; otherwise the text without its trailing digits, followed by
// numberText(digits, number).
std::string renumberText(const std::string& text, int renumber, int digits, int number);

} // namespace tessaly
