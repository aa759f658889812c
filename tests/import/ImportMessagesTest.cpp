// The text each import result is shown with.
#include <gtest/gtest.h>

#include <string>

#include "Plugins/Import/ImportMessages.h"
#include "tools/skelvane/TextEncoding.h"

namespace {

std::string TextOf(const ImportResult& result) {
    char text[kImportMessageSize];
    FormatImportMessage(result, text, sizeof text);
    return ShiftJisToUtf8(text);
}

TEST(ImportMessages, EveryResultHasItsText) {
    EXPECT_EQ(TextOf(ImportResult()), "");
    EXPECT_EQ(TextOf(ImportFailure(ImportProblem::kOpenFailed)), "ファイルを開けません。");
    EXPECT_EQ(TextOf(ImportFailure(ImportProblem::kNoClump)),
              "ファイルにクランプが見つかりません。");
    EXPECT_EQ(TextOf(ImportFailure(ImportProblem::kOutOfMemory)), "メモリが不足しています。");
    EXPECT_EQ(TextOf(MissingSectionResult(ImportSection::kHAnim)),
              "セクションが不足しています。\n"
              "0x00000010 > 0x0000000E > 0x00000003 > 0x0000011E (HAnim PLG)");
    EXPECT_EQ(TextOf(MissingSectionResult(ImportSection::kGeometryStruct)),
              "セクションが不足しています。\n"
              "0x00000010 > 0x0000001A > 0x0000000F > 0x00000001 (Struct)");
    EXPECT_EQ(TextOf(UnsupportedResult(ImportUnsupported::kTooManyClumps)),
              "未対応のフォーマットです。\nmore than 127 clumps");
    EXPECT_EQ(TextOf(BoneNotFoundResult(" Pelvis")), "対応ボーンが見つかりません。\n Pelvis");
    EXPECT_EQ(TextOf(CorruptResult("mesh count runs past the Bin Mesh PLG")),
              "ファイルが破損しています。\nmesh count runs past the Bin Mesh PLG");
    SectionCursor c;
    c.problem = StreamProblem::kShortRead;
    c.problemOffset = 0x40;
    c.problemType = kSectionGeometry;
    EXPECT_EQ(TextOf(CorruptStreamResult(c)).rfind("ファイルが破損しています。\n", 0), 0u);
    EXPECT_NE(TextOf(CorruptStreamResult(c)).find("at 0x00000040 (0x0000000F Geometry)"),
              std::string::npos);
}

} // namespace
