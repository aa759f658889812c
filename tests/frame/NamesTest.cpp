// Names compared without case, and the parts of file paths.
#include <gtest/gtest.h>

#include "frame/PathParts.h"
#include "frame/TextCase.h"
#include "frame/TextCut.h"

namespace {

TEST(TextCase, CaseFoldingCoversAsciiLettersOnly) {
    EXPECT_TRUE(SameTextIgnoringCase("Skin.BMP", "sKIN.bmp"));
    EXPECT_TRUE(SameTextIgnoringCase("", ""));
    EXPECT_FALSE(SameTextIgnoringCase("skin", "skin2"));
    EXPECT_FALSE(SameTextIgnoringCase("skin2", "skin"));
    EXPECT_FALSE(SameTextIgnoringCase("skin", ""));
    // '@' and '`' sit next to the letters; they do not fold.
    EXPECT_FALSE(SameTextIgnoringCase("@", "`"));
    EXPECT_FALSE(SameTextIgnoringCase("[", "{"));
    // Within a length only its bytes count.
    EXPECT_TRUE(SameTextIgnoringCase("Skin.png", "sKIN", 4));
    EXPECT_FALSE(SameTextIgnoringCase("Skin.png", "sKIN", 5));
    EXPECT_TRUE(SameTextIgnoringCase("ab", "AB", 9));
}

// Both separators end the folder on every build; periods of folders are no
// extension.
TEST(PathParts, BackslashAndSlashEndTheFolder) {
    EXPECT_EQ(FolderLengthOf("a.b\\c/d.e.dff"), 6u);
    EXPECT_EQ(FolderLengthOf("model.dff"), 0u);
    EXPECT_EQ(ExtensionOf("a.b\\c"), nullptr);
    char stem[8] = "#######";
    FileStemOf("a.b\\c/d.e.dff", stem, sizeof stem);
    EXPECT_STREQ(stem, "d.e");
    FileStemOf("x/abcdefghij", stem, sizeof stem);
    EXPECT_STREQ(stem, "abcdefg");
    FileStemOf("x.y\\", stem, sizeof stem);
    EXPECT_STREQ(stem, "");
    FileStemOf("x.y", stem, 0);
    EXPECT_STREQ(stem, "");
}

bool ShiftJisLead(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A cut never ends between the two bytes of a double-byte character, whose
// second byte may be a backslash.
TEST(TextCut, DoubleByteCharactersStayWhole) {
    const char* text = "ab\x83\x5C\x83\x41"; // "ab" and two katakana
    EXPECT_EQ(CutTextLength(text, 2, ShiftJisLead), 2u);
    EXPECT_EQ(CutTextLength(text, 3, ShiftJisLead), 2u);
    EXPECT_EQ(CutTextLength(text, 4, ShiftJisLead), 4u);
    EXPECT_EQ(CutTextLength(text, 5, ShiftJisLead), 4u);
    EXPECT_EQ(CutTextLength(text, 99, ShiftJisLead), 6u);
    // A lead byte without its second byte is one character.
    EXPECT_EQ(CutTextLength("a\x83", 2, ShiftJisLead), 2u);
    char out[8] = "#######";
    EXPECT_TRUE(CopyCutText("abcdefghij", 5, out, sizeof out));
    EXPECT_STREQ(out, "abcde");
    EXPECT_TRUE(CopyCutText("abcdefghij", 20, out, sizeof out));
    EXPECT_STREQ(out, "abcdefg");
    EXPECT_FALSE(CopyCutText("abc", 3, out, sizeof out));
    EXPECT_STREQ(out, "abc");
}

} // namespace
