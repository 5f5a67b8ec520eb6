#pragma once
// The bytes of the line as an OEM (code page 852) console font draws them: control bytes as their
// visible glyphs (STX a face, ETX a heart), bytes from 0x80 up as the 852 letters and box drawing.
// The log window shows lines this way and the saved log writes its letters with the same table.

namespace nubra {

char32_t OemGlyph(unsigned char byte);

} // namespace nubra
