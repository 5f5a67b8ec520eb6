#pragma once
// Writes a whole text file so that a failure never leaves it half-written: the bytes go to a new file
// beside it, which then replaces the old one. On any failure the old file stays as it was and the
// temporary file is removed.
#include <string>

namespace nubra {

// True when the file now holds `bytes`; otherwise false with a Polish message in `error`
// ("Błąd zapisu do pliku <path>" and the reason).
bool ReplaceFileContents(const std::string& path, const std::string& bytes, std::string& error);

} // namespace nubra
