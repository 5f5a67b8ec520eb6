#pragma once
// The one JSON shape the toolkit stores: a single object of keys whose values are strings, whole
// numbers or true/false. Written one key per line; read with the line of every value, so a damaged or
// hand-edited file is refused with the line and the reason.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "NubraError.h"

namespace nubra::toolkit {

using JsonValue = std::variant<std::string, std::int64_t, bool>;

struct JsonEntry {
    std::string key;
    JsonValue value;
    int line = 0;
};

// A refusal of the file: what() is "wiersz N: reason".
class JsonError : public Error {
public:
    JsonError(int line, const std::string& reason)
        : Error("wiersz " + std::to_string(line) + ": " + reason), line_(line), reason_(reason) {}
    int Line() const { return line_; }
    const std::string& Reason() const { return reason_; }

private:
    int line_;
    std::string reason_;
};

std::string WriteFlatJson(const std::vector<JsonEntry>& entries);
// Raises JsonError; a key given twice is refused too.
std::vector<JsonEntry> ReadFlatJson(std::string_view text);

} // namespace nubra::toolkit
