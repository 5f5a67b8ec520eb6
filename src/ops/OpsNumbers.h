#pragma once
// Numbers typed by a person or written by a script: amounts and rates with a decimal comma or dot.
#include <cstdint>
#include <optional>
#include <string>

#include "TextCheck.h"

namespace nubra::ops {

// "12,5" or "12.5" as a count of 10^-decimals (1250 with two); the next digit rounds half up or
// the digits beyond are cut; nullopt for anything else or above maximum.
enum class Rounding { HalfUp, Truncate };
std::optional<std::int64_t> ParseDecimal(const std::string& text, int decimals, std::int64_t maximum,
                                         Rounding rounding);

// Raise InvalidRequest(field, ...) with the message the program gives for the value.
std::int64_t Amount(const std::string& text, const std::string& field, const std::string& what,
                    std::int64_t maximum, Rounding rounding = Rounding::HalfUp);
std::int64_t Whole(const std::string& text, const std::string& field, const std::string& what,
                   std::int64_t maximum);
// UTF-8 to the device's bytes, refused as TextCheck says.
std::string ToDevice(const std::string& utf8, const std::string& field, const std::string& where,
                     DeviceCharset charset = DeviceCharset::Windows1250);

} // namespace nubra::ops
