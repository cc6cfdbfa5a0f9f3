// Numbers read back from the dialogs' edits.
#include "dialogs/NumberField.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessaly::test {
namespace {

TEST(NumberField, LeadingNumberReadsLikeScanfButNeverOverflows) {
    const struct {
        const char* text;
        std::optional<int> number;
    } cases[] = {
        {"", std::nullopt},
        {"x1", std::nullopt},
        {"-", std::nullopt},
        {"0", 0},
        {"  42", 42},
        {"42abc", 42},
        {"+7", 7},
        {"-7", -7},
        {"000123", 123},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.number, leadingNumber(c.text)) << '"' << c.text << '"';
}

TEST(NumberField, WholeNumberTakesDigitsAndBlanksOnly) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> number;
    } cases[] = {
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"0", 0u},
        {" 12 ", 12u},
        {"4294967295", 4294967295u},
        {"4294967296", std::nullopt},
        {"00000000000000000001", 1u},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"12x", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.number, wholeNumber(c.text)) << '"' << c.text << '"';
}

} // namespace
} // namespace tessaly::test
