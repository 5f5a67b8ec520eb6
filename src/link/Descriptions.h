#pragma once
// The built-in table of command and error descriptions of the NX-3 E (UTF-8), copied into
// TNX3Class::Descriptions when the link is made.
#include <array>
#include <string_view>

namespace nubra {

inline constexpr int kDescriptionEntries = 320;

const std::array<std::string_view, kDescriptionEntries>& DescriptionTable();

} // namespace nubra
