#pragma once
// Whole files in and out for the toolkit: a file is read in one piece and written with
// WriteFileAtomically, so a failed write leaves the old file as it was. Failures raise nubra::Error with a
// Polish message naming the file.
#include <string>

namespace nubra::toolkit {

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

} // namespace nubra::toolkit
