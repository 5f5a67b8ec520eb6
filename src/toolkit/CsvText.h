#pragma once
// The CSV that spreadsheet programs in Poland open and save: UTF-8 with a byte-order mark, cells
// separated by semicolons, a cell in double quotes when it holds a semicolon, a quote or a line end
// (a quote inside doubled), lines ended by CR LF. Reading also takes LF alone and no byte-order mark.
#include <string>
#include <string_view>
#include <vector>

namespace nubra::toolkit {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// One row as a line of the file, CR LF included.
std::string CsvLine(const std::vector<std::string>& cells);

struct CsvRow {
    int line = 0; // 1-based line of the file where the row starts
    std::vector<std::string> cells;
    bool unterminatedQuote = false; // the row's quoted cell runs to the end of the file
};

// Every row of the text; blank lines are left out. A quote opens a quoted cell only at the cell's
// start: elsewhere it is part of the text (12" monitor).
std::vector<CsvRow> ParseCsv(std::string_view text, char separator = ';');

// Whether text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

} // namespace nubra::toolkit
