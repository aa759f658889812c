// The text each export result is shown with.
#include <gtest/gtest.h>

#include <string>

#include "Plugins/Export/ExportMessages.h"
#include "tools/skelvane/TextEncoding.h"

namespace {

std::string TextOf(const ExportResult& result) {
    char text[kExportMessageSize];
    FormatExportMessage(result, text, sizeof text);
    return ShiftJisToUtf8(text);
}

TEST(ExportMessages, EveryResultHasItsText) {
    const struct {
        ExportProblem problem;
        const char* text;
    } cases[] = {
        {ExportProblem::kNone, ""},
        {ExportProblem::kKeynoteVersion, "ドキュメントがKeynoteの未対応のバージョンです。"},
        {ExportProblem::kKeynoteMissing, "Keynoteが見つかりません。"},
        {ExportProblem::kOutOfMemory, "メモリが不足しています。"},
        {ExportProblem::kTooManyVertices, "頂点の数が65535を超えています。"},
        {ExportProblem::kTooManyBones, "ボーンの数が255を超えています。"},
        {ExportProblem::kNumberOutOfRange, "出力する数値が有効な範囲を超えています。"},
        {ExportProblem::kDffCreateFailed, "DFF ファイルの作成に失敗しました。"},
        {ExportProblem::kDffWriteFailed, "DFF ファイルの書き込みに失敗しました。"},
        {ExportProblem::kDffReplaceFailed, "DFF ファイルの置き換えに失敗しました。"},
        {ExportProblem::kTxdCreateFailed, "TXD ファイルの作成に失敗しました。"},
        {ExportProblem::kTxdWriteFailed, "TXD ファイルの書き込みに失敗しました。"},
        {ExportProblem::kTxdReplaceFailed, "TXD ファイルの置き換えに失敗しました。"},
        {ExportProblem::kTxdSameAsDff, "TXD ファイルが DFF ファイルと同じ名前になります。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextOf(ExportFailure(c.problem)), c.text) << static_cast<int>(c.problem);
    EXPECT_EQ(TextOf(MissingBoneResult(-12)), "ボーン-12の対応ボーンが見つかりません。");
}

// Lines past the last one allowed end the notice in "…"; a name cut for two
// materials is named once; warnings every export gives are not named.
TEST(ExportMessages, NoticeListIsBounded) {
    ExportNotes notes;
    char text[kExportNoticeSize];
    notes.found.Add(Rule::kSkinMaxWeights);
    FormatExportNotice(notes, text, sizeof text);
    EXPECT_STREQ(text, "");
    for (int i = 0; i < 2; ++i)
        AddMendedName(notes, Rule::kTextureNameLength, "t", 40, 31);
    for (int i = 0; i < kMaxNoticeLines + 3; ++i) {
        std::string name = "frame" + std::to_string(i);
        AddMendedName(notes, Rule::kFrameNameLength, name.c_str(), 30, 23);
    }
    FormatExportNotice(notes, text, sizeof text);
    std::string shown = ShiftJisToUtf8(text);
    std::string expected = "ファイルを書き出しました。ゲームでは次の点に注意してください。"
                           "\nテクスチャ名を31文字に切り詰めました: t";
    for (int i = 0; i < kMaxNoticeLines - 1; ++i)
        expected += "\nフレーム名を23文字に切り詰めました: frame" + std::to_string(i);
    EXPECT_EQ(shown, expected + "\n…");
}

} // namespace
