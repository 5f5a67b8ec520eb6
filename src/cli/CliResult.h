#pragma once
// What a subcommand answers, printed as Polish text ("label value" lines) or, with --json, as one
// JSON object whose keys are the fields' keys. Values are UTF-8 text.
#include <iosfwd>
#include <string>
#include <vector>

#include "StatusOps.h"

namespace nubra::cli {

class CliResult {
public:
    // A text field; label is the plain form's line start ("Numer błędu: ").
    void Add(const std::string& key, const std::string& label, const std::string& value);
    // The plain form shows the value in words of its own ("22,00 %" for "22,00").
    void Add(const std::string& key, const std::string& label, const std::string& value,
             const std::string& plain);
    void AddNumber(const std::string& key, const std::string& label, long long value);
    void AddBool(const std::string& key, const std::string& label, bool value);
    // A list of objects: in plain text each item is one line, its fields side by side.
    void AddList(const std::string& key, const std::vector<CliResult>& items);
    // Plain text only (an explanation no script needs); in a list item, the item's whole line.
    void AddLine(const std::string& text);
    // An operation's result, field by field.
    void Add(const ops::ResultFields& fields);

    bool Empty() const { return fields_.empty() && lines_.empty(); }
    void PrintText(std::ostream& out) const;
    void PrintJson(std::ostream& out) const;
    std::string Json() const;

private:
    struct Field {
        std::string key;
        std::string label;
        std::string text; // the plain form's value
        std::string json; // the value as JSON
    };
    std::vector<Field> fields_;
    std::vector<std::string> lines_;
};

std::string JsonString(const std::string& utf8);

} // namespace nubra::cli
