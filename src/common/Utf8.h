#pragma once
#include <string>

namespace nubra {

// One code point appended as UTF-8.
void AppendUtf8(std::string& text, char32_t codePoint);

} // namespace nubra
