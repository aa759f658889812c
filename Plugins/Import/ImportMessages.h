// Every text the importer shows or traces. Compiled as Shift-JIS.
#pragma once

#include <stddef.h>

#include "Plugins/Import/ImportResult.h"

#define IMPORT_CAPTION "Skelvane Import"

// The file is missing, unreadable or not a regular file.
#define MSG_OPEN_FAILED "ファイルを開けません。"
#define MSG_NO_CLUMP "ファイルにクランプが見つかりません。"
#define MSG_MISSING "セクションが不足しています。\n"
#define MSG_MISSING_FRAME_LIST MSG_MISSING "0x00000010 > 0x0000000E (Frame List)"
#define MSG_MISSING_FRAME_EXTENSION MSG_MISSING "0x00000010 > 0x0000000E > 0x00000003 (Extension)"
#define MSG_MISSING_CAPTION_FRAME MSG_MISSING "0x00000010 > 0x0000000E > 0x0253F2FE (Frame)"
#define MSG_MISSING_CLUMP MSG_MISSING "0x00000010 (Clump)"
#define MSG_MISSING_GEOMETRY_LIST MSG_MISSING "0x00000010 > 0x0000001A (Geometry List)"
#define MSG_MISSING_GEOMETRY MSG_MISSING "0x00000010 > 0x0000001A > 0x0000000F (Geometry)"
#define MSG_MISSING_GEOMETRY_STRUCT                                                                \
    MSG_MISSING "0x00000010 > 0x0000001A > 0x0000000F > 0x00000001 (Struct)"
#define MSG_MISSING_FRAME_LIST_STRUCT MSG_MISSING "0x00000010 > 0x0000000E > 0x00000001 (Struct)"
#define MSG_MISSING_HANIM                                                                          \
    MSG_MISSING "0x00000010 > 0x0000000E > 0x00000003 > 0x0000011E (HAnim PLG)"
#define MSG_MISSING_FRAME MSG_MISSING "0x00000010 > 0x0000000E > 0x00000003 > 0x0253F2FE (Frame)"
#define MSG_UNSUPPORTED "未対応のフォーマットです。\n"
#define MSG_UNSUPPORTED_TRISTRIP MSG_UNSUPPORTED "Tristrip"
#define MSG_UNSUPPORTED_NO_POSITIONS MSG_UNSUPPORTED "~Positions"
#define MSG_UNSUPPORTED_TOO_MANY_VERTICES MSG_UNSUPPORTED "more than 65535 vertices"
#define MSG_UNSUPPORTED_TOO_MANY_CLUMPS MSG_UNSUPPORTED "more than 127 clumps"
#define MSG_BONE_NOT_FOUND "対応ボーンが見つかりません。\n%s"
// A file that cannot be read soundly, followed by a short reason.
#define MSG_CORRUPT "ファイルが破損しています。\n"
#define MSG_OUT_OF_MEMORY "メモリが不足しています。"
// Followed by one line per texture or dictionary left out.
#define MSG_TEXTURES_LEFT_OUT "テクスチャを書き出せませんでした。"
// Followed by one line per texture of 0 mip levels written from the level its
// Struct still holds: the game loads no pixels for it and reads the rest of
// the dictionary from the wrong place.
#define MSG_TEXTURES_NO_LEVELS                                                                     \
    "ミップレベル数が0のテクスチャを1レベルとして書き出しました（ゲームでは読み込めません）。"

// Trace lines are fixed texts, source line numbers included, kept word for word
// because logs and the tools that filter them look for these exact lines.
#define TRACE_GEOMETRY_ALLOC "malloc @308, dwGSVertex = %d, dwGSFace = %d"
#define TRACE_GEOMETRY_ALLOCATED "malloc @314"
#define TRACE_TRIANGLES_READ "break @321"
#define TRACE_VERTICES_ADDED "break @352"
#define TRACE_MATERIALS_ADDED "break @426"
#define TRACE_FACES_START "break @459"
#define TRACE_FACE_SKIPPED "Vertex Buffer Overrapped, Face %d/%d, %d, %d, %d"
#define TRACE_GEOMETRY_FREE "free @482"
#define TRACE_GEOMETRY_FREED "free @488"
#define TRACE_FRAME_ALLOC "malloc @507, dwFrame = %d"
#define TRACE_FRAME_ALLOCATED "malloc @515"
#define TRACE_FRAME_FREE "free @697"
#define TRACE_FRAME_FREED "free @705"

// Room for any message of a result.
constexpr size_t kImportMessageSize = 160;
// The text shown for a failed result.
void FormatImportMessage(const ImportResult& result, char* text, size_t size);
