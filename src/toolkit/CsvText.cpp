#include "CsvText.h"

#include "Utf8.h"

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

std::vector<CsvRow> ParseCsv(std::string_view text, char separator) {
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
        bool cellStart = true;
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
            } else if (c == '"' && cellStart) {
                quoted = true;
                cellStart = false;
            } else if (c == separator) {
                row.cells.push_back(std::move(cell));
                cell.clear();
                cellStart = true;
            } else if (c == '\n' || c == '\r') {
                if (c == '\r' && i < text.size() && text[i] == '\n')
                    ++i;
                ++line;
                ended = true;
            } else {
                cell += c;
                cellStart = false;
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
    return nubra::IsUtf8(text);
}

} // namespace nubra::toolkit
