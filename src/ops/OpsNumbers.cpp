// Numbers on the command line, in sale files and request bodies.
#include "OpsNumbers.h"

#include <cctype>

#include "OpsError.h"
#include "TNX3Class.h"

namespace nubra::ops {

std::optional<std::int64_t> ParseDecimal(const std::string& text, int decimals, std::int64_t maximum,
                                         Rounding rounding) {
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::size_t at = 0;
    std::int64_t whole = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        whole = whole * 10 + (text[at] - '0');
        if (whole > maximum / scale)
            return std::nullopt;
    }
    if (at == 0)
        return std::nullopt;
    std::string fraction;
    if (at < text.size() && (text[at] == ',' || text[at] == '.')) {
        fraction = text.substr(at + 1);
        if (fraction.empty() || fraction.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
    } else if (at != text.size()) {
        return std::nullopt;
    }
    // Exact: the digits beyond `decimals` round half up or are cut, never through a binary fraction.
    fraction.resize(static_cast<std::size_t>(decimals) + 1, '0');
    std::int64_t value = whole;
    for (int i = 0; i < decimals; ++i)
        value = value * 10 + (fraction[static_cast<std::size_t>(i)] - '0');
    if (rounding == Rounding::HalfUp && fraction[static_cast<std::size_t>(decimals)] >= '5')
        ++value;
    return value <= maximum ? std::optional<std::int64_t>(value) : std::nullopt;
}

std::int64_t Amount(const std::string& text, const std::string& field, const std::string& what,
                    std::int64_t maximum, Rounding rounding) {
    const std::optional<std::int64_t> value = ParseDecimal(text, 2, maximum, rounding);
    if (!value)
        throw InvalidRequest(field, what + " musi być liczbą od 0 do " + TNX3Class::FormatAmount(maximum) +
                                        ": " + text + ".");
    return *value;
}

std::int64_t Whole(const std::string& text, const std::string& field, const std::string& what,
                   std::int64_t maximum) {
    std::int64_t value = 0;
    bool ok = !text.empty();
    for (char ch : text) {
        if (ch < '0' || ch > '9' || value > maximum / 10) {
            ok = false;
            break;
        }
        value = value * 10 + (ch - '0');
    }
    if (!ok || value > maximum)
        throw InvalidRequest(field,
                             what + " musi być liczbą całkowitą od 0 do " + std::to_string(maximum) + ".");
    return value;
}

std::string ToDevice(const std::string& utf8, const std::string& field, const std::string& where,
                     DeviceCharset charset) {
    try {
        return DeviceBytes(utf8, where, charset);
    } catch (const TextError& e) {
        throw InvalidRequest(field, e.what());
    }
}

} // namespace nubra::ops
