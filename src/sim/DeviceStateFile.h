#pragma once
// The device's whole state in a text file, so nx3sim finds its fiscal memory, rates, registers and
// totals again after a restart. One "key=value" line per field ("register.3.limit=5100"), lists as
// "key.count" and "key.N..."; text values are Windows-1250 with \\, \n, \r and \xHH escapes. Lines
// starting with '#' and keys the program does not know are skipped, so a file written by a newer
// nx3sim still loads. Every field is listed once, in DeviceStateFile.cpp.
#include <string>

#include "DeviceState.h"

namespace nubra::sim {

class DeviceStateFile {
public:
    explicit DeviceStateFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Reads the file over state. A missing file leaves state as it is. False, with a Polish message
    // naming the line, for a damaged file; state may then be partly read.
    bool Load(DeviceState& state, std::string& error);
    // Writes the state when it differs from what was last read or written: a temporary file in the
    // same folder renamed over the old one, so a crash leaves either file whole. False on failure.
    bool Save(const DeviceState& state);

    static std::string ToText(const DeviceState& state);
    static bool FromText(const std::string& text, DeviceState& state, std::string& error);

private:
    std::string path_;
    std::string written_;
};

} // namespace nubra::sim
