#include "CliResult.h"

#include <cstdio>
#include <ostream>

namespace nubra::cli {

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\u%04x", c);
                out += hex;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

void CliResult::Add(const std::string& key, const std::string& label, const std::string& value) {
    fields_.push_back({key, label, value, JsonString(value)});
}

void CliResult::Add(const std::string& key, const std::string& label, const std::string& value,
                    const std::string& plain) {
    fields_.push_back({key, label, plain, JsonString(value)});
}

void CliResult::AddNumber(const std::string& key, const std::string& label, long long value) {
    fields_.push_back({key, label, std::to_string(value), std::to_string(value)});
}

void CliResult::AddBool(const std::string& key, const std::string& label, bool value) {
    fields_.push_back({key, label, value ? "tak" : "nie", value ? "true" : "false"});
}

void CliResult::AddList(const std::string& key, const std::vector<CliResult>& items) {
    std::string text;
    std::string json = "[";
    for (const CliResult& item : items) {
        if (json.size() > 1)
            json += ", ";
        json += item.Json();
        // An item's own line, or its fields side by side.
        std::string line;
        for (const std::string& own : item.lines_)
            line += (line.empty() ? "" : " ") + own;
        for (const Field& f : item.fields_)
            if (item.lines_.empty() && !f.text.empty())
                line += (line.empty() ? "" : ", ") + f.label + f.text;
        text += (text.empty() ? "" : "\n") + line;
    }
    fields_.push_back({key, "", text, json + "]"});
}

void CliResult::Add(const ops::ResultFields& fields) {
    for (const ops::ResultField& f : fields) {
        switch (f.kind) {
        case ops::ResultField::Kind::Number:
            AddNumber(f.key, f.label, f.number);
            break;
        case ops::ResultField::Kind::Bool:
            AddBool(f.key, f.label, f.flag);
            break;
        default:
            if (f.plain.empty())
                Add(f.key, f.label, f.text);
            else
                Add(f.key, f.label, f.text, f.plain);
        }
    }
}

void CliResult::AddLine(const std::string& text) {
    lines_.push_back(text);
}

void CliResult::PrintText(std::ostream& out) const {
    for (const Field& f : fields_)
        out << f.label << f.text << '\n';
    for (const std::string& line : lines_)
        out << line << '\n';
}

std::string CliResult::Json() const {
    std::string json = "{";
    for (const Field& f : fields_) {
        if (json.size() > 1)
            json += ", ";
        json += JsonString(f.key) + ": " + f.json;
    }
    return json + "}";
}

void CliResult::PrintJson(std::ostream& out) const {
    out << Json() << '\n';
}

} // namespace nubra::cli
