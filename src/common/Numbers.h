#pragma once
// Numbers read from device text the way the program always read them.
#include <string_view>

namespace nubra {

// A decimal integer, optionally after leading spaces and with a sign ("  7", "-3", "+12"); def for
// anything else: empty text, other characters (trailing spaces included) or a value outside int.
int StrToIntDef(std::string_view text, int def);

} // namespace nubra
