// Every text the exporter shows, and the text of each export result.
// Compiled as Shift-JIS.
#pragma once

#include <stddef.h>

#include "Plugins/Export/ExportResult.h"

#define EXPORT_CAPTION "Skelvane Export"

#define MSG_KEYNOTE_VERSION "ドキュメントがKeynoteの未対応のバージョンです。"
#define MSG_KEYNOTE_MISSING "Keynoteが見つかりません。"
#define MSG_DFF_CREATE_FAILED "DFF ファイルの作成に失敗しました。"
#define MSG_DFF_WRITE_FAILED "DFF ファイルの書き込みに失敗しました。"
// The finished file could not take the place of the earlier one.
#define MSG_DFF_REPLACE_FAILED "DFF ファイルの置き換えに失敗しました。"
#define MSG_BONE_NUMBER_MISSING "ボーン%dの対応ボーンが見つかりません。"
#define MSG_TXD_CREATE_FAILED "TXD ファイルの作成に失敗しました。"
#define MSG_TXD_WRITE_FAILED "TXD ファイルの書き込みに失敗しました。"
#define MSG_TXD_REPLACE_FAILED "TXD ファイルの置き換えに失敗しました。"
// The model's own name ends in .txd: the dictionary would replace it.
#define MSG_TXD_SAME_AS_DFF "TXD ファイルが DFF ファイルと同じ名前になります。"
// A texture image that cannot be loaded or held (%s: the texture name).
#define MSG_TEXTURE_LOAD_FAILED "テクスチャを読み込めません。\n%s"
#define MSG_TOO_MANY_BONES "ボーンの数が255を超えています。"
#define MSG_TOO_MANY_VERTICES "頂点の数が65535を超えています。"
#define MSG_EXPORT_OUT_OF_MEMORY "メモリが不足しています。"
// A number to be written is NaN or infinite (a scale out of range).
#define MSG_NUMBER_OUT_OF_RANGE "出力する数値が有効な範囲を超えています。"

// Room for any result's text, its detail included.
constexpr size_t kExportMessageSize = 160;

// The text the user is shown for a result (empty for a result without a
// problem), cut to fit size bytes.
void FormatExportMessage(const ExportResult& result, char* text, size_t size);

#define KEYNOTE_CHECK_VERSION "CheckVersion:%d"
#define KEYNOTE_CREATE_DOCUMENT "CreateXSDocument"
#define KEYNOTE_DELETE_DOCUMENT "DeleteXSDocument"
