#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace nubra {

// One code point appended as UTF-8.
void AppendUtf8(std::string& text, char32_t codePoint);

// Decodes the sequence at text[at] and moves at past it. False, with at unchanged, for a sequence
// that is not UTF-8: a stray tail byte, a cut sequence, an overlong form (C0 83 is not ETX), a
// surrogate or a value past U+10FFFF.
bool NextUtf8(std::string_view text, std::size_t& at, char32_t& codePoint);

// Whether the whole text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

} // namespace nubra
