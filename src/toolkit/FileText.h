#pragma once
// Whole files in and out for the toolkit: a file is read in one piece and written with
// WriteFileAtomically, so a failed write leaves the old file as it was. Failures raise nubra::Error with a
// Polish message naming the file.
#include <cstdint>
#include <string>

namespace nubra::toolkit {

// Far beyond any catalogue or settings file; a larger one is not read into memory.
inline constexpr std::uintmax_t kMaxFileSize = 256u << 20;

// Only a regular file is read (a FIFO, a device or a folder is refused before it is opened), and only
// up to maxSize bytes.
std::string ReadWholeFile(const std::string& path, std::uintmax_t maxSize = kMaxFileSize);
void WriteWholeFile(const std::string& path, const std::string& bytes);

} // namespace nubra::toolkit
