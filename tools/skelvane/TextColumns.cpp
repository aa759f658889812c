#include "tools/skelvane/TextColumns.h"

namespace {

// A UTF-8 lead byte's code point (continuation bytes are read with it).
unsigned long CodePointAt(const std::string& text, size_t* i) {
    unsigned char lead = static_cast<unsigned char>(text[*i]);
    int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    unsigned long point = more == 0 ? lead : lead & (0x3F >> more);
    for (; more > 0 && *i + 1 < text.size(); --more)
        point = (point << 6) | (static_cast<unsigned char>(text[++*i]) & 0x3F);
    ++*i;
    return point;
}

std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        if (end > start)
            words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// The words from column start on, lines after the first indented to indent.
std::string Fill(const std::vector<std::string>& words, size_t start, size_t indent, size_t width) {
    std::string text;
    size_t column = start;
    bool lineEmpty = true;
    for (const std::string& word : words) {
        size_t w = DisplayWidth(word);
        if (!lineEmpty && column + 1 + w > width) {
            text += "\n" + std::string(indent, ' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            text += ' ';
            ++column;
        }
        text += word;
        column += w;
        lineEmpty = false;
    }
    return text;
}

} // namespace

size_t DisplayWidth(const std::string& text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();)
        width += CodePointAt(text, &i) >= 0x1100 ? 2 : 1;
    return width;
}

std::string WrapWords(const std::string& head, const std::vector<std::string>& words, size_t indent,
                      size_t width) {
    size_t start = indent + DisplayWidth(head) + 1;
    return head + " " + Fill(words, start, start, width);
}

std::string WrapText(const std::string& text, size_t indent, size_t width) {
    std::string wrapped;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (start > 0)
            wrapped += "\n" + std::string(indent, ' ');
        wrapped += Fill(SplitWords(line), indent, indent, width);
        if (end == std::string::npos)
            return wrapped;
        start = end + 1;
    }
}
