#pragma once
// The log shows the raw bytes of the line as an OEM (code page 852) console font would: control
// bytes such as STX and ETX as their visible glyphs, bytes from 0x80 up as the 852 letters and
// box-drawing characters. One byte always gives one character, so a line stays one line.
#include <QString>
#include <string_view>

namespace nubra::app {

QString OemGlyphs(std::string_view bytes);

} // namespace nubra::app
