// Every text the importer shows or traces. Compiled as Shift-JIS.
#pragma once

#include <stddef.h>

#include "Plugins/Import/ImportResult.h"

struct TextureNotice;

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
#define MSG_UNSUPPORTED_TOO_MANY_VERTICES MSG_UNSUPPORTED "頂点が 65535 個を超えています。"
#define MSG_UNSUPPORTED_TOO_MANY_CLUMPS MSG_UNSUPPORTED "クランプが 127 個を超えています。"
#define MSG_BONE_NOT_FOUND "対応ボーンが見つかりません。\n%s"
// A file that cannot be read soundly, followed by the reason and, for the
// section stream's own problems, where it was found.
#define MSG_CORRUPT "ファイルが破損しています。\n"
#define MSG_CORRUPT_TRUNCATED_HEADER "セクションの見出しが途中で切れています。"
#define MSG_CORRUPT_SIZE_PAST_PARENT "セクションの大きさが外側のセクションを越えています。"
#define MSG_CORRUPT_SIZE_PAST_FILE "セクションの大きさがファイルの終わりを越えています。"
#define MSG_CORRUPT_SHORT_READ "データがセクションの終わりを越えています。"
#define MSG_CORRUPT_FILE_TOO_LARGE "ファイルが 2 GiB 以上あります。"
#define MSG_CORRUPT_TOO_DEEP "セクションの入れ子が深すぎます。"
// Followed by the offset, the section type and its name.
#define MSG_CORRUPT_AT "\n位置 0x%08X (0x%08X %s)"
#define MSG_CORRUPT_AT_OFFSET "\n位置 0x%08X"
#define MSG_CORRUPT_NEGATIVE_COUNTS "Geometry の Struct の頂点数か三角形数が負の値です。"
#define MSG_CORRUPT_GEOMETRY_COUNTS "頂点と三角形の数が Geometry の Struct を越えています。"
#define MSG_CORRUPT_MATERIAL_COUNT "マテリアル数が Material List の Struct を越えています。"
#define MSG_CORRUPT_MESH_COUNT "メッシュ数が Bin Mesh PLG を越えています。"
#define MSG_CORRUPT_BIN_MESH_INDICES "Bin Mesh PLG の頂点番号の数が 3 の倍数ではありません。"
#define MSG_CORRUPT_BIN_MESH_TRIANGLES "Bin Mesh PLG の三角形が Geometry より多くあります。"
#define MSG_CORRUPT_BIN_MESH_MATERIAL                                                              \
    "Bin Mesh PLG が Material List にないマテリアルを指しています。"
#define MSG_CORRUPT_FRAME_COUNT "フレーム数が Frame List の Struct を越えています。"
#define MSG_CORRUPT_HANIM_COUNT "ノード数が HAnim PLG を越えています。"
#define MSG_CORRUPT_FRAME_PARENT                                                                   \
    "フレーム %d の親が Frame List の外にあるか、親子関係が循環しています。"
#define MSG_OUT_OF_MEMORY "メモリが不足しています。"
// Followed by one entry per texture or dictionary left out: its name, then
// the reason.
#define MSG_TEXTURES_LEFT_OUT "テクスチャを書き出せませんでした。"
// Followed by one line per texture of 0 mip levels written from the level its
// Struct still holds: the game loads no pixels for it and reads the rest of
// the dictionary from the wrong place.
#define MSG_TEXTURES_NO_LEVELS                                                                     \
    "ミップレベル数が0のテクスチャを1レベルとして書き出しました（ゲームでは読み込めません）。"
// After the entries listed, when there were more.
#define MSG_TEXTURES_MORE "ほかに %d 件あります。"
// An entry: the name of the texture, its file or the dictionary, then the
// reason.
#define MSG_TEXTURE_ENTRY "\n%s: "
#define MSG_TEXTURE_CANNOT_OPEN "ファイルを開けません。"
#define MSG_TEXTURE_PALETTE_INDEX "パレットにない色番号があります。"
#define MSG_TEXTURE_CANNOT_WRITE "ファイルを書き込めません。"
// A dictionary that cannot be read: MSG_MISSING or MSG_CORRUPT or
// MSG_UNSUPPORTED, the reason, then the texture and where it stands.
#define MSG_MISSING_TEXTURE_DICTIONARY MSG_MISSING "0x00000016 (Texture Dictionary)"
#define MSG_MISSING_TEXTURE_DICTIONARY_STRUCT MSG_MISSING "0x00000016 > 0x00000001 (Struct)"
#define MSG_MISSING_TEXTURE_STRUCT MSG_MISSING "0x00000016 > 0x00000015 > 0x00000001 (Struct)"
#define MSG_CORRUPT_TEXTURE_MISSING                                                                \
    "テクスチャ数は %u ですが、%u 番目の Texture Native がありません。"
#define MSG_CORRUPT_TEXTURE_STRUCT_SIZE "Texture Native の Struct が %u バイトしかありません。"
#define MSG_UNSUPPORTED_PLATFORM "プラットフォーム %s"
#define MSG_UNSUPPORTED_PLATFORM_ID "プラットフォーム 0x%08X"
#define MSG_UNSUPPORTED_RASTER_D3D9 "ラスター形式 0x%08X (d3dFormat %u)"
#define MSG_UNSUPPORTED_RASTER_D3D8 "ラスター形式 0x%08X (圧縮 %u)"
#define MSG_CORRUPT_TEXTURE_SIZE "テクスチャの大きさが %ux%u です。"
#define MSG_CORRUPT_LEVEL_COUNT "ミップレベル数が %u です。"
#define MSG_CORRUPT_PALETTE_PAST_END "パレットが Texture Native を越えています。"
#define MSG_CORRUPT_LEVEL_PAST_END "ミップレベル %u が Texture Native を越えています。"
#define MSG_CORRUPT_LEVEL_SIZE_PAST_END                                                            \
    "ミップレベル %u の %u バイトが Texture Native を越えています。"
#define MSG_CORRUPT_LEVEL_TOO_SHORT                                                                \
    "ミップレベル %u が %u バイトしかなく、%ux%u の %s に足りません。"
// The texture a problem belongs to: its number of the dictionary's count,
// and its name when its header was read.
#define MSG_TEXTURE_NUMBER "\nテクスチャ %u/%u"
#define MSG_TEXTURE_NAMED "「%s」"

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
constexpr size_t kImportMessageSize = 384;
// The text shown for a failed result.
void FormatImportMessage(const ImportResult& result, char* text, size_t size);

// Room for the texture step's message: both headings and every entry listed.
constexpr size_t kTextureNoticeSize = 8192;
// The texture step's one message: what was left out and why, then the
// textures of 0 mip levels written; empty when there is neither.
void FormatTextureNotice(const TextureNotice& notice, char* text, size_t size);
