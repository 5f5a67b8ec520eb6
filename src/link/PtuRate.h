#pragma once
// A VAT rate between the printer's hundredths of a percent and the percent a rate edit holds.
// Shared by the dialogs that show or set rates.
#include <string>

namespace nubra::ptu {

// 2200 -> 22.0; 9999 (inactive) -> 99.99.
double Percent(int hundredths);
// percent x 100 rounded to whole hundredths: undoes the binary fraction of a two-decimal edit.
int Hundredths(double percent);
// percent x 100 formatted with "%.0f" (rounded, no decimals): 7.0 -> "700", 0.0 -> "0". SetPtu sends it
// right-aligned in four characters.
std::string HundredthsText(double percent);
// "22,00 %", as the program shows a rate.
std::string DisplayText(int hundredths);

} // namespace nubra::ptu
