#include "FlatJson.h"

#include "CsvText.h"
#include "Utf8.h"

#include <charconv>
#include <set>

namespace nubra::toolkit {
namespace {

std::string Quote(const std::string& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (u < 0x20) {
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::vector<JsonEntry> Object() {
        SkipBlanks();
        Expect('{', "oczekiwano znaku '{' na początku pliku");
        std::vector<JsonEntry> entries;
        std::set<std::string> keys;
        SkipBlanks();
        if (Peek() == '}') {
            ++at_;
        } else {
            for (;;) {
                SkipBlanks();
                JsonEntry e;
                e.line = line_;
                if (Peek() != '"')
                    Fail("oczekiwano nazwy ustawienia w cudzysłowie");
                e.key = String();
                if (!keys.insert(e.key).second)
                    Fail("ustawienie \"" + e.key + "\" występuje drugi raz");
                SkipBlanks();
                Expect(':', "oczekiwano znaku ':' po nazwie ustawienia");
                SkipBlanks();
                e.line = line_;
                e.value = Value();
                entries.push_back(std::move(e));
                // A missing comma is told at the line of the value it should follow.
                const int valueLine = line_;
                SkipBlanks();
                if (Peek() == ',') {
                    ++at_;
                    continue;
                }
                if (Peek() != '}')
                    throw JsonError(valueLine, "oczekiwano znaku ',' lub '}'");
                ++at_;
                break;
            }
        }
        SkipBlanks();
        if (at_ < text_.size())
            Fail("nadmiarowy tekst po końcu danych");
        return entries;
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const { throw JsonError(line_, reason); }
    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void Expect(char c, const char* reason) {
        if (Peek() != c)
            Fail(reason);
        ++at_;
    }
    void SkipBlanks() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n')) {
            if (text_[at_] == '\n')
                ++line_;
            ++at_;
        }
    }

    JsonValue Value() {
        const char c = Peek();
        if (c == '"')
            return String();
        if (text_.substr(at_, 4) == "true") {
            at_ += 4;
            return true;
        }
        if (text_.substr(at_, 5) == "false") {
            at_ += 5;
            return false;
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            std::int64_t n = 0;
            const auto [end, ec] = std::from_chars(text_.data() + at_, text_.data() + text_.size(), n);
            if (ec != std::errc())
                Fail("niepoprawna liczba");
            at_ = static_cast<std::size_t>(end - text_.data());
            if (Peek() == '.' || Peek() == 'e' || Peek() == 'E')
                Fail("oczekiwano liczby całkowitej");
            return n;
        }
        Fail("oczekiwano tekstu w cudzysłowie, liczby, true lub false");
    }

    std::string String() {
        ++at_;
        std::string out;
        for (;;) {
            if (at_ >= text_.size() || text_[at_] == '\n')
                Fail("tekst bez cudzysłowu zamykającego");
            const char c = text_[at_++];
            if (c == '"')
                break;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("znak sterujący w tekście");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = Peek();
            ++at_;
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                unsigned code = 0;
                const auto [end, ec] = std::from_chars(
                    text_.data() + at_, text_.data() + std::min(at_ + 4, text_.size()), code, 16);
                if (ec != std::errc() || end != text_.data() + at_ + 4 || (code >= 0xD800 && code <= 0xDFFF))
                    Fail("niepoprawny znak \\u w tekście");
                at_ += 4;
                AppendUtf8(out, code);
                break;
            }
            default:
                Fail("niepoprawny znak po \\ w tekście");
            }
        }
        if (!IsUtf8(out))
            Fail("tekst nie jest zapisany w UTF-8");
        return out;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

} // namespace

std::string WriteFlatJson(const std::vector<JsonEntry>& entries) {
    std::string out = "{\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const JsonEntry& e = entries[i];
        out += "  " + Quote(e.key) + ": ";
        if (const auto* s = std::get_if<std::string>(&e.value))
            out += Quote(*s);
        else if (const auto* n = std::get_if<std::int64_t>(&e.value))
            out += std::to_string(*n);
        else
            out += std::get<bool>(e.value) ? "true" : "false";
        out += i + 1 < entries.size() ? ",\n" : "\n";
    }
    return out + "}\n";
}

std::vector<JsonEntry> ReadFlatJson(std::string_view text) {
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    return Reader(text).Object();
}

} // namespace nubra::toolkit
