#pragma once
// Windows only: the program's UTF-8 text (paths, command lines) to and from the system's UTF-16.
#include <string>

namespace nubra {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

} // namespace nubra
