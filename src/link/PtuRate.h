#pragma once
// A VAT rate between the printer's hundredths of a percent and the text a user types or reads.
// Shared by the windows and nx3cli that show or set rates.
#include <optional>
#include <string>

namespace nubra::ptu {

// A rate as typed: digits with "," or "." before at most two decimals, 0 to 99,99, blanks and a "%"
// after it allowed ("7.5" and "7,50 %" are 750). Anything else is nullopt, never cut or rounded: the
// rate goes into fiscal memory.
std::optional<int> ParseTyped(const std::string& text);
// The message refusing `typed` as the rate of VAT letter `letter`.
std::string Refusal(char letter, const std::string& typed);
// "22,00 %", as the program shows a rate.
std::string DisplayText(int hundredths);

} // namespace nubra::ptu
