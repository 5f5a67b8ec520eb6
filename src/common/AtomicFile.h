#pragma once
// Whole-file replacement that never leaves a file cut short: the bytes go to a temporary file in the
// same folder, are flushed to the disk, and the temporary file is renamed over the old one. A symbolic
// link keeps pointing where it did (its target is replaced) and an existing file keeps its permissions.
#include <string>

namespace nubra {

// False when any step fails; the old file is then as it was and no temporary file is left.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

} // namespace nubra
