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
    EXPECT_EQ(TextOf(TextureCannotLoadResult("maps\\%s.bmp")),
              "テクスチャを読み込めません。\nmaps\\%s.bmp");
}

} // namespace
