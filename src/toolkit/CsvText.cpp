#include "CsvText.h"

namespace nubra::toolkit {

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += ';';
        const std::string& cell = cells[i];
        if (cell.find_first_of(";\"\r\n") == std::string::npos) {
            line += cell;
            continue;
        }
        line += '"';
        for (char c : cell) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

std::vector<CsvRow> ParseCsv(std::string_view text) {
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    std::vector<CsvRow> rows;
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        CsvRow row;
        row.line = line;
        std::string cell;
        bool quoted = false;
        bool ended = false;
        while (i < text.size() && !ended) {
            const char c = text[i++];
            if (quoted) {
                if (c == '"' && i < text.size() && text[i] == '"') {
                    cell += '"';
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    if (c == '\n')
                        ++line;
                    cell += c;
                }
            } else if (c == '"') {
                quoted = true;
            } else if (c == ';') {
                row.cells.push_back(std::move(cell));
                cell.clear();
            } else if (c == '\n' || c == '\r') {
                if (c == '\r' && i < text.size() && text[i] == '\n')
                    ++i;
                ++line;
                ended = true;
            } else {
                cell += c;
            }
        }
        row.unterminatedQuote = quoted;
        const bool blank = row.cells.empty() && cell.empty();
        row.cells.push_back(std::move(cell));
        if (!blank)
            rows.push_back(std::move(row));
    }
    return rows;
}

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        int tail = 0;
        char32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            tail = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            tail = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            tail = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(tail) >= text.size())
            return false;
        for (int k = 1; k <= tail; ++k) {
            const auto t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF.
        if ((tail == 2 && code < 0x800) || (tail == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(tail) + 1;
    }
    return true;
}

} // namespace nubra::toolkit
