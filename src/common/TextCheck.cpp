#include "TextCheck.h"

#include <algorithm>
#include <cstdio>

#include "Cp1250.h"
#include "PolishLetters.h"
#include "Utf8.h"

namespace nubra {
namespace {

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// The character in quotes with its code point, so that one that looks like another can be found.
std::string Named(char32_t c) {
    std::string glyph;
    AppendUtf8(glyph, c);
    return "'" + glyph + "' (U+" + Hex(static_cast<unsigned>(c), 4) + ")";
}

bool InMazovia(unsigned char windows) {
    return windows < 0x80 || std::any_of(kPolishLetters.begin(), kPolishLetters.end(),
                                         [windows](const PolishLetter& l) { return l.windows == windows; });
}

std::string CharFault(char32_t c, unsigned char byte, bool inPage, DeviceCharset charset) {
    if (c < 0x20)
        return "znak sterujący (kod 0x" + Hex(static_cast<unsigned>(c), 2) + ") nie może trafić do drukarki";
    if (!inPage)
        return "znaku " + Named(c) + " nie ma w stronie kodowej drukarki (Windows-1250)";
    if (charset == DeviceCharset::Mazovia && !InMazovia(byte))
        return "znaku " + Named(c) + " nie ma w stronie kodowej nagłówka i stopki (Mazovia)";
    return {};
}

} // namespace

std::string TextFault(std::string_view text, bool utf8, DeviceCharset charset) {
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        unsigned char byte = 0;
        bool inPage = true;
        if (utf8) {
            if (!NextUtf8(text, at, c))
                return "niepoprawny zapis UTF-8 (bajt 0x" + Hex(static_cast<unsigned char>(text[at]), 2) +
                       ")";
            inPage = cp1250::ByteOf(c, byte);
        } else {
            byte = static_cast<unsigned char>(text[at++]);
            c = cp1250::CodePoint(byte);
            if (c == 0xFFFD)
                return "bajt 0x" + Hex(byte, 2) + " nie jest znakiem strony kodowej Windows-1250";
        }
        if (std::string fault = CharFault(c, byte, inPage, charset); !fault.empty())
            return fault;
    }
    return {};
}

std::string DeviceBytes(std::string_view utf8, const std::string& where, DeviceCharset charset) {
    if (const std::string fault = TextFault(utf8, true, charset); !fault.empty())
        throw TextError(where + ": " + fault + ".");
    return cp1250::FromUtf8(utf8);
}

void CheckDeviceBytes(std::string_view cp1250, const std::string& where, DeviceCharset charset) {
    if (const std::string fault = TextFault(cp1250, false, charset); !fault.empty())
        throw TextError(where + ": " + fault + ".");
}

} // namespace nubra
