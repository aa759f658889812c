// Conversion of the plug-ins' Shift-JIS texts for printing.
#pragma once

#include <string>

// The text converted from code page 932 to UTF-8; bytes that do not convert
// are kept as they are.
std::string ShiftJisToUtf8(const std::string& text);
