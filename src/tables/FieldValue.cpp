#include "FieldValue.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace nubra {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// [sign] digits [',' digits] [E [sign] digits], with at least one mantissa digit.
struct Decimal {
    bool negative = false;
    std::string digits;     // integer and fraction digits together
    int fractionDigits = 0; // how many of them follow the comma
    long long exponent = 0;
};

std::optional<Decimal> SplitDecimal(std::string_view s) {
    Decimal d;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    while (i < s.size() && IsDigit(s[i]))
        d.digits += s[i++];
    if (i < s.size() && s[i] == ',') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            d.digits += s[i++];
            ++d.fractionDigits;
        }
    }
    if (d.digits.empty())
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negExp = s[i++] == '-';
        if (i == s.size())
            return std::nullopt;
        while (i < s.size() && IsDigit(s[i])) {
            if (d.exponent < 100000)
                d.exponent = d.exponent * 10 + (s[i] - '0');
            ++i;
        }
        if (negExp)
            d.exponent = -d.exponent;
    }
    if (i != s.size())
        return std::nullopt;
    return d;
}

// Rounds to the nearest integer, halves to even, as the variant conversions of the program do.
std::optional<std::int64_t> RoundToInt64(double v, double limit) {
    if (!std::isfinite(v) || std::fabs(v) >= limit)
        return std::nullopt;
    return static_cast<std::int64_t>(std::nearbyint(v));
}

} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> ParseDouble(std::string_view text) {
    const auto d = SplitDecimal(Trim(text));
    if (!d)
        return std::nullopt;
    // from_chars ignores the process locale, which Qt sets from the environment.
    std::string plain = d->digits + "e" + std::to_string(d->exponent - d->fractionDigits);
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return d->negative ? -value : value;
}

std::optional<Currency> ParseCurrency(std::string_view text) {
    const auto d = SplitDecimal(Trim(text));
    if (!d)
        return std::nullopt;
    const std::string_view digits =
        std::string_view(d->digits).substr(std::min(d->digits.find_first_not_of('0'), d->digits.size()));
    if (digits.empty())
        return Currency{0};
    // Position of the units digit of the scaled value within the digits.
    const long long shift = d->exponent - d->fractionDigits + 4;
    const long long keep = static_cast<long long>(digits.size()) + shift;
    if (keep > 19)
        return std::nullopt;
    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
    unsigned long long value = 0;
    for (long long i = 0; i < keep; ++i) {
        const int digit = i < static_cast<long long>(digits.size()) ? digits[i] - '0' : 0;
        if (value > (kMax - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    if (keep >= 0 && keep < static_cast<long long>(digits.size()) && digits[keep] >= '5') {
        if (value == kMax)
            return std::nullopt;
        ++value;
    }
    const auto signedValue = static_cast<std::int64_t>(value);
    return Currency{d->negative ? -signedValue : signedValue};
}

std::string FormatDouble(double value) {
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? "0" : "";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string_view sci(buf, res.ptr - buf);
    const size_t e = sci.find('e');
    const bool negative = sci.front() == '-';
    std::string digits;
    for (char c : sci.substr(0, e))
        if (IsDigit(c))
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exp10 = std::atoi(std::string(sci.substr(e + 1)).c_str());

    std::string out = negative ? "-" : "";
    if (exp10 < 15 && exp10 >= -5) {
        if (exp10 < 0) {
            out += "0," + std::string(static_cast<size_t>(-exp10 - 1), '0') + digits;
        } else {
            const auto intLen = static_cast<size_t>(exp10) + 1;
            if (digits.size() <= intLen) {
                out += digits + std::string(intLen - digits.size(), '0');
            } else {
                out += digits.substr(0, intLen) + "," + digits.substr(intLen);
            }
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += "," + digits.substr(1);
        out += "E" + std::to_string(exp10);
    }
    return out;
}

std::string FormatCurrency(Currency value) {
    const bool negative = value.scaled < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value.scaled)
                                                  : static_cast<unsigned long long>(value.scaled);
    std::string out = (negative ? "-" : "") + std::to_string(magnitude / Currency::kScale);
    std::string fraction = std::to_string(magnitude % Currency::kScale);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        out += "," + fraction;
    return out;
}

std::optional<std::int32_t> ToInteger(const FieldValue& value) {
    if (const auto* i = std::get_if<std::int32_t>(&value))
        return *i;
    if (const auto* d = std::get_if<double>(&value)) {
        const auto r = RoundToInt64(*d, 2147483648.5);
        if (r && *r >= INT32_MIN && *r <= INT32_MAX)
            return static_cast<std::int32_t>(*r);
        return std::nullopt;
    }
    if (const auto* c = std::get_if<Currency>(&value)) {
        const auto r = RoundToInt64(static_cast<double>(c->scaled) / Currency::kScale, 2147483648.5);
        if (r && *r >= INT32_MIN && *r <= INT32_MAX)
            return static_cast<std::int32_t>(*r);
        return std::nullopt;
    }
    if (const auto* s = std::get_if<std::string>(&value))
        return ParseInteger(*s);
    return std::nullopt;
}

std::optional<double> ToDouble(const FieldValue& value) {
    if (const auto* i = std::get_if<std::int32_t>(&value))
        return *i;
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* c = std::get_if<Currency>(&value))
        return static_cast<double>(c->scaled) / Currency::kScale;
    if (const auto* s = std::get_if<std::string>(&value))
        return ParseDouble(*s);
    return std::nullopt;
}

std::optional<Currency> ToCurrency(const FieldValue& value) {
    if (const auto* i = std::get_if<std::int32_t>(&value))
        return Currency{static_cast<std::int64_t>(*i) * Currency::kScale};
    if (const auto* d = std::get_if<double>(&value)) {
        if (const auto r = RoundToInt64(*d * Currency::kScale, 9.2e18))
            return Currency{*r};
        return std::nullopt;
    }
    if (const auto* c = std::get_if<Currency>(&value))
        return *c;
    if (const auto* s = std::get_if<std::string>(&value))
        return ParseCurrency(*s);
    return std::nullopt;
}

std::string ToText(const FieldValue& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int32_t v) const { return std::to_string(v); }
        std::string operator()(double v) const { return FormatDouble(v); }
        std::string operator()(Currency v) const { return FormatCurrency(v); }
        std::string operator()(const std::string& v) const { return v; }
    };
    return std::visit(Visitor{}, value);
}

} // namespace nubra
