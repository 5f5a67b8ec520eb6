#pragma once
// Windows-1250: the code page of device text and table strings (one byte per character, so field
// widths are byte counts). The window layer converts at its boundary through these functions.
#include <string>
#include <string_view>

namespace nubra::cp1250 {

// Bytes 0x81, 0x83, 0x88, 0x90 and 0x98 are unassigned; they decode to U+FFFD.
std::string ToUtf8(std::string_view cp1250);
// Characters outside the code page become '?'. Malformed UTF-8 bytes are taken as Latin-1, one by one
// (an overlong form never becomes a control byte). Text for the printer goes through TextCheck.h.
std::string FromUtf8(std::string_view utf8);

// The code point of one byte (U+FFFD for the unassigned ones), and the byte of a code point: false
// when the code page has none.
char32_t CodePoint(unsigned char byte);
bool ByteOf(char32_t codePoint, unsigned char& byte);

// Upper-casing of one Windows-1250 byte as the Windows locale does it (Polish letters included);
// other bytes are returned unchanged.
unsigned char ToUpper(unsigned char c);
std::string ToUpper(std::string_view text);

} // namespace nubra::cp1250
