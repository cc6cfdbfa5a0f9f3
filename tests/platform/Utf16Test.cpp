#include "platform/Utf16.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(Utf16, EveryNameComesBackUnchanged) {
    const std::u16string names[] = {
        u"IMG_0001.JPG",
        u"\u0101_01.jpg",             // ā
        u"\u039a_01.jpg",             // Κ
        u"\u30b2\u30fc\u30e02.jpg",   // ゲーム2
        u"\U0001F600_01.jpg",         // outside the basic plane
        u"e\u0301_01.jpg",            // a combining mark
        u"\uff0e\uff0e\uff3cvictim",  // fullwidth look-alikes of . and backslash
        std::u16string(1, u'\xd800'), // lone surrogates, as a Windows name may hold them
        u"a" + std::u16string(1, u'\xdc00') + u"b",
        std::u16string(1, u'\xdbff') + std::u16string(1, u'\xd800'),
        // At the surrogate ranges' bounds: pairs are the first and last character beyond the
        // basic plane; the units just outside each range pair with nothing.
        u"\U00010000\U0010FFFF",
        u"\ud7ff" + std::u16string(1, u'\xdc00'),
        std::u16string(1, u'\xd800') + u"\ue000",
        std::u16string(1, u'\xdc00') + std::u16string(1, u'\xdc00'),
        std::u16string(1, u'\xd800') + std::u16string(1, u'\xdbff'),
    };
    for (const std::u16string& name : names) {
        const std::string utf8 = utf8FromUtf16(name);
        EXPECT_EQ(name, utf16FromUtf8(utf8)) << utf8;
        EXPECT_EQ(name.size(), utf16Length(utf8)) << utf8;
    }
    EXPECT_EQ("\xc4\x81_01", utf8FromUtf16(u"\u0101_01"));
    EXPECT_EQ("\xf0\x9f\x98\x80", utf8FromUtf16(u"\U0001F600"));
    EXPECT_EQ("\xf0\x90\x80\x80\xf4\x8f\xbf\xbf", utf8FromUtf16(u"\U00010000\U0010FFFF"));
    EXPECT_EQ("\xed\x9f\xbf\xed\xb0\x80", utf8FromUtf16(u"\ud7ff" + std::u16string(1, u'\xdc00')));
    // Only the given length is read: a high surrogate at its end pairs with nothing after it.
    const std::u16string pair = u"\U0001F600";
    EXPECT_EQ("\xed\xa0\xbd", utf8FromUtf16(pair.data(), 1));
}

TEST(Utf16, BytesThatFormNoCharacterBecomeReplacements) {
    const struct {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {
        {"a\x80z", u"a\ufffdz"},
        {"\xc0\xaf", u"\ufffd\ufffd"},                     // an overlong slash is no slash
        {"\xe0\x80\xaf", u"\ufffd\ufffd\ufffd"},           // nor is one in three bytes
        {"\xe0\x9f\xbf", u"\ufffd\ufffd\ufffd"},           // the last overlong one
        {"\xe0\xa0\x80", u"\u0800"},                       // the first that is not
        {"\xe3\x83", u"\ufffd\ufffd"},                     // cut at the end
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"}, // beyond U+10FFFF
        {"\xff", u"\ufffd"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.utf16, utf16FromUtf8(c.utf8)) << c.utf8;
}

} // namespace
} // namespace tessaly
