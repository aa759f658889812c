// Checking a whole texture dictionary: each texture read with the dictionary
// reader, whose own checks come first, then the rules over its header and
// over the dictionary's names, which are kept for the models beside it.
#pragma once

#include "check/Finding.h"
#include "check/TextureNames.h"
#include "format/ByteStream.h"

// Checks the dictionary in stream; names receives every texture name whose
// header could be read, sorted. False when the stream holds no dictionary that
// opens (then names is empty and means nothing).
bool CheckDictionaryStream(ByteStream& stream, FindingList& out, TextureNames* names);
