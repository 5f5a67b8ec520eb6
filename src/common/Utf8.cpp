#include "Utf8.h"

namespace nubra {

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool NextUtf8(std::string_view text, std::size_t& at, char32_t& codePoint) {
    if (at >= text.size())
        return false;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        codePoint = lead;
        ++at;
        return true;
    }
    std::size_t tail = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        tail = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        tail = 2;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        tail = 3;
        c = lead & 0x07;
    } else {
        return false;
    }
    if (text.size() - at <= tail)
        return false;
    for (std::size_t k = 1; k <= tail; ++k) {
        const auto t = static_cast<unsigned char>(text[at + k]);
        if ((t & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (t & 0x3F);
    }
    if ((tail == 2 && c < 0x800) || (tail == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
        (c >= 0xD800 && c <= 0xDFFF))
        return false;
    codePoint = c;
    at += tail + 1;
    return true;
}

bool IsUtf8(std::string_view text) {
    char32_t c = 0;
    for (std::size_t at = 0; at < text.size();)
        if (!NextUtf8(text, at, c))
            return false;
    return true;
}

} // namespace nubra
