#include "platform/Utf16.h"

namespace tessaly {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}

bool isLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

char32_t codePointAt(std::string_view text, std::size_t i, std::size_t& length) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    length = 1;
    if (lead < 0x80)
        return lead;
    std::size_t need;
    char32_t c;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        c = lead & 0x07;
        minimum = 0x10000;
    } else {
        return kReplacement;
    }
    if (text.size() - i <= need)
        return kReplacement;
    for (std::size_t k = 1; k <= need; ++k) {
        const unsigned char b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80)
            return kReplacement;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF)
        return kReplacement;
    length = need + 1;
    return c;
}

std::string utf8FromUtf16(const char16_t* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < length && isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string utf8FromUtf16(const std::u16string& text) {
    return utf8FromUtf16(text.data(), text.size());
}

std::u16string utf16FromUtf8(const std::string& text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); i += length) {
        const char32_t c = codePointAt(text, i, length);
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::size_t utf16Length(const std::string& text) {
    std::size_t units = 0;
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); i += length)
        units += codePointAt(text, i, length) >= 0x10000 ? 2 : 1;
    return units;
}

bool isAscii(std::string_view text) {
    for (const char c : text)
        if (!isAscii(c))
            return false;
    return true;
}

} // namespace tessaly
