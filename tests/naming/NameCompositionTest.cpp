// The rules that turn a selected file into its new names, shared by the dialog's example, the
// conflict check and the batch.
#include "naming/BatchJob.h"
#include "naming/NameComposition.h"
#include "support/FakeImageResizer.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessaly {
namespace {

struct NumberCase {
    int digits;
    int number;
    const char* text;
};

TEST(NameComposition, NumberTextIsZeroPaddedAndNeverCut) {
    const NumberCase cases[] = {
        {4, 7, "0007"},
        {2, 123, "123"}, // wider than the digit count: in full
        {0, 5, "5"},
        {1, 0, "0"},
        {9, 1, "000000001"},
        {10, 1, "000000001"},       // a hand-edited count beyond 9 pads to 9
        {INT_MAX, 42, "000000042"}, // and stays bounded whatever it is
        {-3, 7, "7"},               // never a left-justified or odd format
        {3, -7, "-07"},             // the sign counts towards the width
        {0, INT_MIN, "-2147483648"},
        {3, INT_MAX, "2147483647"},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(c.text, numberText(c.digits, c.number)) << c.digits << " digits, " << c.number;
}

struct RenumberCase {
    const char* text;
    int renumber;
    const char* result;
};

TEST(NameComposition, RenumberReplacesOnlyTheTrailingNumber) {
    // Digits 4, number 7.
    const RenumberCase cases[] = {
        {"Vacation12", 1, "Vacation0007"},
        {"abc", 1, "abc0007"},
        {"2008_05_17", 1, "2008_05_0007"}, // digits inside stay
        {"", 1, "0007"},
        {"0013", 1, "0007"},         // digits only: replaced whole
        {"IMG_0009", 1, "IMG_0007"}, // every digit counts, the last one too
        {"x90", 1, "x0007"},
        {"Vacation12", 0, "Vacation12"},
        {"", 0, ""},
        // Only a digit that is a character of its own: one with a mark, or the one that the
        // number sign before it governs, stays with its character.
        {"x1\u0301", 1, "x1\u03010007"},
        {"x1\u03012", 1, "x1\u03010007"},
        {"Room1\uFE0F\u20E3", 1, "Room1\uFE0F\u20E30007"}, // a keycap
        {"\u0600123", 1, "\u060010007"},
        {"\u00e912", 1, "\u00e90007"},
    };
    for (const RenumberCase& c : cases)
        EXPECT_EQ(c.result, renumberText(c.text, c.renumber, 4, 7))
            << "\"" << c.text << "\", renumber " << c.renumber;
}

// The options the main dialog and the verb set, with an example of each worked case.
struct Settings {
    const char* label;
    int removed;
    bool entirePrefix;
    const char* newPrefix;
    int renumber;
    int digits;
    int start;
    bool rename;
};

struct Expected {
    const char* renamed[3];
    const char* resized[3];
};

class Composition : public ::testing::Test {
protected:
    std::vector<FileEntry> files = {
        {"C:\\Photos\\IMG_0001.JPG"}, {"C:\\Photos\\IMG_0002.JPG"}, {"C:\\Photos\\IMG_0013.JPG"}};
    BatchJob job{files, std::make_unique<test::FakeImageResizer>()};

    void apply(const Settings& s) {
        job.setRemovedCount(s.removed);
        job.setEntirePrefixRemoved(s.entirePrefix);
        job.setNewPrefix(s.newPrefix);
        job.setRenumber(s.renumber, s.digits, s.start);
        job.setRename(s.rename);
        job.setResizePrefix("sml.");
    }
};

TEST_F(Composition, EveryWorkedSettingGivesItsNames) {
    const std::pair<Settings, Expected> table[] = {
        {{"removed 4", 4, false, "", 0, 0, 0, true},
         {{"0001.JPG", "0002.JPG", "0013.JPG"}, {"sml.0001.JPG", "sml.0002.JPG", "sml.0013.JPG"}}},
        {{"removed 4, Rome_", 4, false, "Rome_", 0, 0, 0, true},
         {{"Rome_0001.JPG", "Rome_0002.JPG", "Rome_0013.JPG"},
          {"sml.Rome_0001.JPG", "sml.Rome_0002.JPG", "sml.Rome_0013.JPG"}}},
        {{"removed 4, Rome_, renumbered 3 digits from 1", 4, false, "Rome_", 1, 3, 1, true},
         {{"Rome_001.JPG", "Rome_002.JPG", "Rome_003.JPG"},
          {"sml.Rome_001.JPG", "sml.Rome_002.JPG", "sml.Rome_003.JPG"}}},
        {{"removed 6, X", 6, false, "X", 0, 0, 0, true},
         {{"X01.JPG", "X02.JPG", "X13.JPG"}, {"sml.X01.JPG", "sml.X02.JPG", "sml.X13.JPG"}}},
        {{"removed 2", 2, false, "", 0, 0, 0, true},
         {{"G_0001.JPG", "G_0002.JPG", "G_0013.JPG"},
          {"sml.G_0001.JPG", "sml.G_0002.JPG", "sml.G_0013.JPG"}}},
        {{"entire prefix, Trip, renumbered 1 digit from 1", 6, true, "Trip", 1, 1, 1, true},
         {{"Trip1.JPG", "Trip2.JPG", "Trip3.JPG"},
          {"sml.Trip1.JPG", "sml.Trip2.JPG", "sml.Trip3.JPG"}}},
        {{"nothing removed or added: the own names", 0, false, "", 0, 0, 0, true},
         {{"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0013.JPG"},
          {"sml.IMG_0001.JPG", "sml.IMG_0002.JPG", "sml.IMG_0013.JPG"}}},
        // Renaming off: the copy keeps the unchanged name; prefix and number are not applied.
        {{"rename off", 4, false, "Rome_", 1, 3, 1, false},
         {{"Rome_001.JPG", "Rome_002.JPG", "Rome_003.JPG"},
          {"sml.IMG_0001.JPG", "sml.IMG_0002.JPG", "sml.IMG_0013.JPG"}}},
    };
    for (const auto& [settings, expected] : table) {
        SCOPED_TRACE(settings.label);
        apply(settings);
        for (int k = 0; k < 3; ++k) {
            const int number = settings.start + k;
            EXPECT_EQ(std::string("C:\\Photos\\") + expected.renamed[k],
                      job.renameTarget(files[k], number));
            EXPECT_EQ(std::string("C:\\Photos\\") + expected.resized[k],
                      job.resizeTarget(files[k], number));
            // The copy is made from the renamed file, or from the file itself.
            EXPECT_EQ(settings.rename ? job.renameTarget(files[k], number) : files[k].path,
                      job.resizeSource(files[k], number));
            // The batch's one-split composition gives the same names.
            const FileNames names = job.names(files[k], number);
            EXPECT_EQ(job.renameTarget(files[k], number), names.renameTarget);
            EXPECT_EQ(job.resizeSource(files[k], number), names.resizeSource);
            EXPECT_EQ(job.resizeTarget(files[k], number), names.resizeTarget);
        }
    }
}

TEST_F(Composition, RemainingPartDropsLeadingCharactersOrEverything) {
    apply({"", 4, false, "", 0, 0, 0, true});
    EXPECT_EQ("0001", job.remainingPart("IMG_0001"));
    EXPECT_EQ("", job.remainingPart("IMG_")); // as long as the name
    EXPECT_EQ("", job.remainingPart("IMG"));  // longer than the name
    // Whole characters as a person sees them, never a part of one: a letter with its accent,
    // a flag, a family joined by ZWJ, a heart with its variation selector.
    EXPECT_EQ("2", job.remainingPart("\u30b2\u30fc\u30e0\u30302"));
    EXPECT_EQ("01", job.remainingPart("e\u0301\U0001F600\U0001F600_01"));
    EXPECT_EQ("_01", job.remainingPart("e\u0301e\u0301e\u0301e\u0301_01"));
    EXPECT_EQ("01",
              job.remainingPart("\U0001F1EB\U0001F1F7\U0001F1EE\U0001F1F9\U0001F1E9\U0001F1EA_01"));
    EXPECT_EQ("12",
              job.remainingPart(
                  "\U0001F468\u200D\U0001F469\u200D\U0001F467\U0001F468\u200D\U0001F469ab12"));
    EXPECT_EQ("1", job.remainingPart("\u2764\uFE0F\u2764\uFE0Fab1"));
    job.setRemovedCount(-1);
    EXPECT_EQ("IMG_0001", job.remainingPart("IMG_0001"));
    job.setRemovedCount(0);
    job.setEntirePrefixRemoved(true);
    EXPECT_EQ("", job.remainingPart("IMG_0001"));
}

TEST_F(Composition, EntirePrefixRemovedWithoutRenumberGivesEveryFileOneName) {
    apply({"", 0, true, "Trip", 0, 0, 0, true});
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ("C:\\Photos\\Trip.JPG", job.renameTarget(files[k], k));
}

TEST_F(Composition, NumbersWiderThanTheDigitsAppearInFull) {
    apply({"", 4, false, "P", 1, 2, 99, true});
    EXPECT_EQ("C:\\Photos\\P99.JPG", job.renameTarget(files[0], 99));
    EXPECT_EQ("C:\\Photos\\P100.JPG", job.renameTarget(files[1], 100));
    EXPECT_EQ("C:\\Photos\\sml.P100.JPG", job.resizeTarget(files[1], 100));
}

TEST(NameCompositionParts, EachFileKeepsItsDriveFolderAndExtensionCase) {
    std::vector<FileEntry> files = {{"C:\\a\\IMG_1.JPG"}, {"D:\\b.x\\IMG_2.jpg"}, {"IMG_3.Jpg"}};
    BatchJob job(files, std::make_unique<test::FakeImageResizer>());
    job.setRemovedCount(4);
    job.setNewPrefix("n");
    job.setRename(true);
    job.setResizePrefix("s-");
    EXPECT_EQ("C:\\a\\n1.JPG", job.renameTarget(files[0], 0));
    EXPECT_EQ("D:\\b.x\\n2.jpg", job.renameTarget(files[1], 0));
    EXPECT_EQ("n3.Jpg", job.renameTarget(files[2], 0));
    EXPECT_EQ("D:\\b.x\\s-n2.jpg", job.resizeTarget(files[1], 0));
}

TEST(NameCompositionParts, AnyLengthComposes) {
    const std::string folder = "C:\\" + std::string(300, 'f') + "\\";
    std::vector<FileEntry> files = {{folder + "IMG_0001.JPG"}};
    BatchJob job(files, std::make_unique<test::FakeImageResizer>());
    const std::string longPrefix(5000, 'p');
    job.setNewPrefix(longPrefix);
    job.setRenumber(1, 12, 3);
    job.setRename(true);
    job.setResizePrefix(longPrefix);
    EXPECT_EQ(folder + longPrefix + "IMG_000000003.JPG", job.renameTarget(files[0], 3));
    EXPECT_EQ(folder + longPrefix + longPrefix + "IMG_000000003.JPG",
              job.resizeTarget(files[0], 3));
}

} // namespace
} // namespace tessaly
