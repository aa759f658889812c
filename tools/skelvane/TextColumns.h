// Texts laid out for a terminal: words wrapped to a width, counted in
// columns (a Japanese character takes two).
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

constexpr size_t kTextWidth = 80;

// The columns the UTF-8 text takes.
size_t DisplayWidth(const std::string& text);
// head followed by the words, starting at column indent and wrapped at
// width; the lines after the first start under the first word.
std::string WrapWords(const std::string& head, const std::vector<std::string>& words, size_t indent,
                      size_t width);
// The text wrapped at width, its first line starting at column indent (the
// caller has printed what stands before it) and every further line indented
// to that column; a newline in the text starts a new line.
std::string WrapText(const std::string& text, size_t indent, size_t width);
