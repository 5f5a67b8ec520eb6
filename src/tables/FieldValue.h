#pragma once
// The value of one table field: 32-bit integer, double, currency (four decimal places, kept exact as a
// scaled integer) or Windows-1250 text. Text converts to numbers with the decimal comma only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace nubra {

struct Currency {
    static constexpr std::int64_t kScale = 10000;
    std::int64_t scaled = 0; // the value times 10000
    friend bool operator==(Currency, Currency) = default;
};

// monostate: no value (a closed table).
using FieldValue = std::variant<std::monostate, std::int32_t, double, Currency, std::string>;

// Strict parsers of the program's number format; leading and trailing spaces are allowed.
std::optional<std::int32_t> ParseInteger(std::string_view text);
std::optional<double> ParseDouble(std::string_view text);
// Exact: "12,345678" rounds half away from zero to 12,3457.
std::optional<Currency> ParseCurrency(std::string_view text);

std::string FormatDouble(double value);     // 15 significant digits, "0,1", "1E20"
std::string FormatCurrency(Currency value); // no trailing zeros: "12,5", "12", "-0,0001"

// A value converted to a field type as the engine stores it: numbers round half to even, text
// parses in the program's number format; nullopt when it does not convert.
std::optional<std::int32_t> ToInteger(const FieldValue& value);
std::optional<double> ToDouble(const FieldValue& value);
std::optional<Currency> ToCurrency(const FieldValue& value);

// The value as the grid and the record editor show it (Windows-1250 for text); "" for no value.
std::string ToText(const FieldValue& value);

} // namespace nubra
