// Every text the exporter shows, and the text of each export result.
// Compiled as Shift-JIS.
#pragma once

#include <stddef.h>

#include "Plugins/Export/ExportNotes.h"
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

// The notice after the files are written: a heading, then one line per thing
// left out, mended or found.
#define MSG_NOTICE_HEADING "ファイルを書き出しました。ゲームでは次の点に注意してください。"
// A texture left out of the dictionary, by why (%s: the texture name).
#define MSG_NOTICE_TEXTURE_NOT_LOADED "画像を読み込めないためテクスチャを書き出せませんでした: %s"
#define MSG_NOTICE_TEXTURE_PAST_FILE_LIMIT                                                         \
    "TXD ファイルが大きくなりすぎるためテクスチャを書き出せませんでした: %s"
#define MSG_NOTICE_TEXTURE_NO_MEMORY "メモリが不足したためテクスチャを書き出せませんでした: %s"
// After the textures named, when more were left out.
#define MSG_NOTICE_TEXTURES_MORE "ほかに%d個のテクスチャを書き出せませんでした。"
// A frame name over 23 characters overwrites the game's memory.
#define MSG_NOTICE_FRAME_NAME_CUT "フレーム名を23文字に切り詰めました: %s"
// A texture name over 31 characters never matches in the game.
#define MSG_NOTICE_TEXTURE_NAME_CUT "テクスチャ名を31文字に切り詰めました: %s"
// The game refuses DXT textures whose sides are not multiples of 4.
#define MSG_NOTICE_UNCOMPRESSED "辺が4の倍数でないため圧縮せずに書き出しました: %s (%dx%d)"
// %s: the HAnim ids, separated by ", ".
#define MSG_NOTICE_PED_BONES_MISSING                                                               \
    "ペッドの標準ボーンIDがありません（ペッドとして使うとゲームが異常終了します）: %s"
#define MSG_NOTICE_BONE_LIMIT "ボーンが%d個あります。ゲームのスキンは64個までです。"
#define MSG_NOTICE_WEIGHT_SUM_ZERO                                                                 \
    "ウェイトの合計が0の頂点が%u個あります（ゲームでは消えます）。最初の頂点: %d"
#define MSG_NOTICE_TEXTURE_DUPLICATE                                                               \
    "同じ名前のテクスチャが複数あります（ゲームでは最後のものが使われます）: %s"
// Any other rule the written records break, by its id.
#define MSG_NOTICE_RULE "ゲームの規則に反しています: %s"
// After the last line shown when there are more.
#define MSG_NOTICE_MORE "…"

// At most this many lines follow the notice's heading.
constexpr int kMaxNoticeLines = 12;
// Room for the heading, the lines and the closing "…".
constexpr size_t kExportNoticeSize = 6144;

// The notice for the textures the export left out, what it mended and what
// the rules found in the records written; empty when none of it needs telling (the warnings that
// every export gives, such as the fixed maxWeightsPerVertex, do not).
void FormatExportNotice(const ExportNotes& notes, char* text, size_t size);

#define KEYNOTE_CHECK_VERSION "CheckVersion:%d"
#define KEYNOTE_CREATE_DOCUMENT "CreateXSDocument"
#define KEYNOTE_DELETE_DOCUMENT "DeleteXSDocument"
