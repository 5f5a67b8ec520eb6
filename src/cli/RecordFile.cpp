#include "RecordFile.h"

#include <algorithm>
#include <cctype>

#include <nlohmann/json.hpp>

#include "CliOptions.h"
#include "CsvText.h"
#include "FileText.h"
#include "NubraError.h"
#include "TextCheck.h"

namespace nubra::cli {
namespace {

// Far beyond a day of sales; a larger file is a mistake, not read into memory.
constexpr std::uintmax_t kMaxRecordFile = 16u << 20;

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A value goes to the printer as it is: a control character or one the code page lacks is refused
// here, where the file's line and the field can still be named.
void CheckValue(const std::string& where, const std::string& name, const std::string& value) {
    if (const std::string fault = TextFault(value, true); !fault.empty())
        throw UsageError(where + ", pole '" + name + "': " + fault + ".");
}

void Add(Record& record, const std::string& where, const std::string& key, const std::string& value) {
    const std::string name = Lower(key);
    if (!record.emplace(name, value).second)
        throw UsageError(where + ": pole '" + name + "' podane dwa razy.");
    CheckValue(where, name, value);
}

// A list of flat records: each value a string, a number (kept as written), true, false or null.
class RecordSax {
public:
    explicit RecordSax(const std::string& text) : text_(text) {}

    std::vector<Record> records;

    bool null() { return Value(""); }
    bool boolean(bool value) { return Value(value ? "true" : "false"); }
    bool number_integer(nlohmann::json::number_integer_t value) { return Value(std::to_string(value)); }
    bool number_unsigned(nlohmann::json::number_unsigned_t value) { return Value(std::to_string(value)); }
    bool number_float(nlohmann::json::number_float_t, const std::string& written) { return Value(written); }
    bool string(std::string& value) { return Value(value); }
    bool binary(nlohmann::json::binary_t&) { return Shape(); }
    bool start_object(std::size_t) {
        if (depth_ != 1)
            return Shape();
        ++depth_;
        records.emplace_back();
        return true;
    }
    bool key(std::string& key) {
        key_ = key;
        return true;
    }
    bool end_object() {
        --depth_;
        return true;
    }
    bool start_array(std::size_t) {
        if (depth_ != 0)
            return Shape();
        ++depth_;
        return true;
    }
    bool end_array() {
        --depth_;
        return true;
    }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&) {
        throw UsageError("Błąd w pliku JSON w wierszu " + std::to_string(LineAt(position)) + ".");
    }

private:
    bool Value(const std::string& value) {
        if (depth_ != 2)
            return Shape();
        Add(records.back(), "Rekord " + std::to_string(records.size()), key_, value);
        return true;
    }
    // Not a list of flat records. The SAX reader gives no position here; the record is named instead.
    [[noreturn]] bool Shape() {
        if (records.empty() || depth_ == 0)
            throw UsageError("Błąd w pliku JSON w wierszu " + std::to_string(LineAt(FirstToken())) + ".");
        throw UsageError("Rekord " + std::to_string(records.size()) + ", pole '" + Lower(key_) +
                         "': oczekiwano tekstu, liczby, true, false lub null.");
    }
    std::size_t FirstToken() const {
        const std::size_t at = text_.find_first_not_of(" \t\r\n");
        return at == std::string::npos ? text_.size() : at + 1;
    }
    int LineAt(std::size_t position) const {
        const std::size_t end = std::min(position > 0 ? position - 1 : 0, text_.size());
        return 1 + static_cast<int>(
                       std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
    }

    const std::string& text_;
    int depth_ = 0;
    std::string key_;
};

bool Blank(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& c) { return c.find_first_not_of(" \t") == std::string::npos; });
}

} // namespace

std::vector<Record> ParseJsonRecords(const std::string& text) {
    RecordSax sax(text);
    nlohmann::json::sax_parse(text, &sax);
    return sax.records;
}

std::vector<Record> ParseCsvRecords(const std::string& text) {
    // The header line (the first that is not blank) decides the separator: ';' when it holds one, else ','.
    std::string_view header = text;
    if (header.starts_with(toolkit::kUtf8Bom))
        header.remove_prefix(toolkit::kUtf8Bom.size());
    header.remove_prefix(std::min(header.find_first_not_of(" \t\r\n"), header.size()));
    header = header.substr(0, header.find('\n'));
    const char separator = header.find(';') == std::string_view::npos ? ',' : ';';
    std::vector<std::string> names;
    std::vector<Record> records;
    for (const toolkit::CsvRow& row : toolkit::ParseCsv(text, separator)) {
        if (row.unterminatedQuote)
            throw UsageError("Niezamknięty cudzysłów w wierszu " + std::to_string(row.line) + ".");
        if (Blank(row.cells))
            continue;
        if (names.empty()) {
            names = row.cells;
            continue;
        }
        const std::string where = "Wiersz " + std::to_string(row.line);
        if (row.cells.size() != names.size())
            throw UsageError(where + " ma " + std::to_string(row.cells.size()) + " pól zamiast " +
                             std::to_string(names.size()) + ".");
        Record record;
        for (std::size_t i = 0; i < names.size(); ++i)
            Add(record, where, names[i], row.cells[i]);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<Record> ReadRecordFile(const std::string& path) {
    std::string text;
    try {
        // Only a regular file of sane size: a FIFO, a device or a folder is refused before it is opened.
        text = toolkit::ReadWholeFile(path, kMaxRecordFile);
    } catch (const Error& e) {
        throw UsageError(e.what());
    }
    const bool json = path.size() >= 5 && Lower(path.substr(path.size() - 5)) == ".json";
    return json ? ParseJsonRecords(text) : ParseCsvRecords(text);
}

} // namespace nubra::cli
