// The text each import result is shown with.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "Plugins/Import/ImportMessages.h"
#include "Plugins/Import/TextureImport.h"
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
              "未対応のフォーマットです。\nクランプが 127 個を超えています。");
    EXPECT_EQ(TextOf(BoneNotFoundResult(" Pelvis")), "対応ボーンが見つかりません。\n Pelvis");
    EXPECT_EQ(TextOf(CorruptResult(ImportCorrupt::kMeshCountPastBinMesh)),
              "ファイルが破損しています。\nメッシュ数が Bin Mesh PLG を越えています。");
    EXPECT_EQ(TextOf(CorruptResult(ImportCorrupt::kFrameParent, 12)),
              "ファイルが破損しています。\n"
              "フレーム 12 の親が Frame List の外にあるか、親子関係が循環しています。");
    // A damaged section stream: Japanese throughout, with where it was found.
    SectionCursor c;
    c.problem = StreamProblem::kSizePastFile;
    c.problemOffset = 0;
    c.problemType = kSectionClump;
    EXPECT_EQ(TextOf(CorruptStreamResult(c)),
              "ファイルが破損しています。\n"
              "セクションの大きさがファイルの終わりを越えています。\n"
              "位置 0x00000000 (0x00000010 Clump)");
    c.problem = StreamProblem::kShortRead;
    c.problemOffset = 0x40;
    c.problemType = 0;
    EXPECT_EQ(TextOf(CorruptStreamResult(c)), "ファイルが破損しています。\n"
                                              "データがセクションの終わりを越えています。\n"
                                              "位置 0x00000040");
}

// One message for the texture step: a texture the reader refuses, with the
// texture and where it stands; the entries past the list counted.
TEST(ImportMessages, TextureNoticeNamesTheTextureAndWhere) {
    TextureNotice notice;
    TextureReadProblem p;
    p.code = TextureReadCode::kPlatform;
    p.platformId = kTexturePlatformPS2;
    p.index = 1;
    p.count = 3;
    p.offset = 0x1C;
    snprintf(p.name, sizeof p.name, "skin");
    AddTextureLeftOut(notice.leftOut, "player.txd", TextureLeftOutReason::kUnreadable, &p);
    for (int i = 0; i <= kMaxTexturesListed; ++i)
        AddTextureLeftOut(notice.noLevels, ("t" + std::to_string(i) + ".png").c_str(),
                          TextureLeftOutReason::kNoLevels);
    char text[kTextureNoticeSize];
    FormatTextureNotice(notice, text, sizeof text);
    std::string expected = "テクスチャを書き出せませんでした。\nplayer.txd: "
                           "未対応のフォーマットです。\nプラットフォーム PS2\n"
                           "テクスチャ 2/3「skin」\n位置 0x0000001C (0x00000015 Texture Native)"
                           "\n\nミップレベル数が0のテクスチャを1レベルとして書き出しました"
                           "（ゲームでは読み込めません）。";
    for (int i = 0; i < kMaxTexturesListed; ++i)
        expected += "\nt" + std::to_string(i) + ".png";
    EXPECT_EQ(ShiftJisToUtf8(text), expected + "\nほかに 1 件あります。");
}

} // namespace
