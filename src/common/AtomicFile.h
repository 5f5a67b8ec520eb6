#pragma once
// Whole-file replacement that survives a kill, a full disk and a power cut: the bytes go to a temporary
// file in the same folder, every write and the flush to the disk are checked, the temporary file is
// renamed over the old one and the folder is flushed too. A symbolic link keeps pointing where it did
// (its target is replaced) and an existing file keeps its permissions. Every text file the programs
// write goes through here.
#include <string>
#include <system_error>

namespace nubra {

// False when any step fails; the old file is then as it was and no temporary file is left. The
// reason, when asked for, is the system's. An existing target that is not a regular file (a terminal,
// /dev/null) is written in place, since there is nothing to rename over.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::error_code* reason = nullptr);

// Renames a finished file (flushed to the disk here first) over another and flushes the folder, so
// that after a power cut the target is either the old file or the whole new one.
bool ReplaceDurably(const std::string& from, const std::string& to, std::error_code* reason = nullptr);

// Flushes the folder that holds path, so that a file created, renamed or removed there stays so after
// a power cut. Windows cannot flush a folder; there its metadata is written through by the rename.
bool SyncFolderOf(const std::string& path);

} // namespace nubra
