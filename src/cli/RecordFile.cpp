#include "RecordFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

#include "CliOptions.h"
#include "Utf8.h"

namespace nubra::cli {
namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Just enough JSON for a list of flat records: strings (escapes included), numbers, true, false, null.
class JsonReader {
public:
    explicit JsonReader(const std::string& text) : text_(text) {}

    std::vector<Record> Records() {
        std::vector<Record> records;
        Expect('[');
        if (!Take(']')) {
            do
                records.push_back(Object());
            while (Take(','));
            Expect(']');
        }
        Space();
        if (at_ != text_.size())
            Fail();
        return records;
    }

private:
    Record Object() {
        Record record;
        Expect('{');
        if (Take('}'))
            return record;
        do {
            Space();
            const std::string key = String();
            Expect(':');
            record[Lower(key)] = Value();
        } while (Take(','));
        Expect('}');
        return record;
    }

    std::string Value() {
        Space();
        if (at_ < text_.size() && text_[at_] == '"')
            return String();
        const std::size_t start = at_;
        while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) ||
                                      text_[at_] == '-' || text_[at_] == '+' || text_[at_] == '.'))
            ++at_;
        const std::string word = text_.substr(start, at_ - start);
        if (word.empty())
            Fail();
        return word == "null" ? std::string() : word;
    }

    std::string String() {
        if (at_ >= text_.size() || text_[at_] != '"')
            Fail();
        std::string out;
        for (++at_; at_ < text_.size() && text_[at_] != '"'; ++at_) {
            if (text_[at_] != '\\') {
                out += text_[at_];
                continue;
            }
            if (++at_ >= text_.size())
                Fail();
            switch (text_[at_]) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'u':
                Unicode(out);
                break;
            default:
                out += text_[at_];
            }
        }
        if (at_ >= text_.size())
            Fail();
        ++at_;
        return out;
    }

    void Unicode(std::string& out) {
        if (at_ + 4 >= text_.size())
            Fail();
        // Four hexadecimal digits exactly: no sign, blank or shorter number is taken.
        unsigned code = 0;
        const char* digits = text_.data() + at_ + 1;
        const auto [end, ec] = std::from_chars(digits, digits + 4, code, 16);
        if (ec != std::errc() || end != digits + 4)
            Fail();
        at_ += 4;
        AppendUtf8(out, code);
    }

    void Space() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
            ++at_;
    }
    bool Take(char c) {
        Space();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    void Expect(char c) {
        if (!Take(c))
            Fail();
    }
    [[noreturn]] void Fail() const {
        const auto line =
            1 + std::count(text_.begin(),
                           text_.begin() + static_cast<std::ptrdiff_t>(std::min(at_, text_.size())), '\n');
        throw UsageError("Błąd w pliku JSON w wierszu " + std::to_string(line) + ".");
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

std::vector<std::string> CsvFields(const std::string& line, char separator, int lineNumber) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (quoted)
        throw UsageError("Niezamknięty cudzysłów w wierszu " + std::to_string(lineNumber) + ".");
    return fields;
}

} // namespace

std::vector<Record> ParseJsonRecords(const std::string& text) {
    return JsonReader(text).Records();
}

std::vector<Record> ParseCsvRecords(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    std::vector<std::string> names;
    std::vector<Record> records;
    char separator = ';';
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        if (names.empty()) {
            separator = line.find(';') == std::string::npos ? ',' : ';';
            for (const std::string& name : CsvFields(line, separator, number))
                names.push_back(Lower(name));
            continue;
        }
        const std::vector<std::string> fields = CsvFields(line, separator, number);
        if (fields.size() != names.size())
            throw UsageError("Wiersz " + std::to_string(number) + " ma " + std::to_string(fields.size()) +
                             " pól zamiast " + std::to_string(names.size()) + ".");
        Record record;
        for (std::size_t i = 0; i < names.size(); ++i)
            record[names[i]] = fields[i];
        records.push_back(record);
    }
    return records;
}

std::vector<Record> ReadRecordFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw UsageError("Nie można odczytać pliku " + path + ".");
    std::ostringstream text;
    text << in.rdbuf();
    const bool json = path.size() >= 5 && Lower(path.substr(path.size() - 5)) == ".json";
    return json ? ParseJsonRecords(text.str()) : ParseCsvRecords(text.str());
}

} // namespace nubra::cli
