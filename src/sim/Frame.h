#pragma once
// The frame both sides of the line use: STX, payload, ETX, two upper-case hex checksum characters.
#include <string>
#include <string_view>

namespace nubra::sim {

inline constexpr char kStx = '\x02';
inline constexpr char kEtx = '\x03';

// 0xFF XOR every payload byte, written as two upper-case hex digits.
std::string ChecksumOf(std::string_view payload);
std::string MakeFrame(std::string_view payload);

} // namespace nubra::sim
