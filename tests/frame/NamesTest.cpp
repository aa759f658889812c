// Names compared without case, and the parts of file paths.
#include <gtest/gtest.h>

#include "frame/PathParts.h"
#include "frame/TextCase.h"

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

} // namespace
