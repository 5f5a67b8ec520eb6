#pragma once
// The code page the device uses for text on the line: Mazovia, or IBM 852 ("Latin") when bit 7 of
// status byte 1 is set. The model keeps its text in Windows-1250 and converts at the line.
#include <string>
#include <string_view>

namespace nubra::sim {

enum class DeviceCodePage { Mazovia, Latin2 };

std::string ToDeviceText(std::string_view cp1250, DeviceCodePage page);
std::string FromDeviceText(std::string_view device, DeviceCodePage page);

} // namespace nubra::sim
