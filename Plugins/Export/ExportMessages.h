// Every text the exporter shows. Compiled as Shift-JIS.
#pragma once

#define EXPORT_CAPTION "Skelvane Export"

#define MSG_KEYNOTE_VERSION "ドキュメントがKeynoteの未対応のバージョンです。"
#define MSG_KEYNOTE_MISSING "Keynoteが見つかりません。"
#define MSG_DFF_CREATE_FAILED "DFF ファイルの作成に失敗しました。"
#define MSG_DFF_WRITE_FAILED "DFF ファイルの書き込みに失敗しました。"
#define MSG_BONE_NUMBER_MISSING "ボーン%dの対応ボーンが見つかりません。"
#define MSG_TXD_CREATE_FAILED "TXD ファイルの作成に失敗しました。"
// A texture image that cannot be loaded or held (%s: the texture name).
#define MSG_TEXTURE_LOAD_FAILED "テクスチャを読み込めません。\n%s"
#define MSG_TOO_MANY_BONES "ボーンの数が255を超えています。"
#define MSG_TOO_MANY_VERTICES "頂点の数が65535を超えています。"
#define MSG_EXPORT_OUT_OF_MEMORY "メモリが不足しています。"

#define KEYNOTE_CHECK_VERSION "CheckVersion:%d"
#define KEYNOTE_CREATE_DOCUMENT "CreateXSDocument"
#define KEYNOTE_DELETE_DOCUMENT "DeleteXSDocument"
