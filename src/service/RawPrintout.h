#pragma once
// The raw stream a service printout is written as, one entry per write: a line is STX, text, ETX,
// an empty line one EOT; then 8 feeds, the feeds that bring a short text to 16 lines of paper, and
// the cut. Qt-free: the editor hands over its lines in Windows-1250.
#include <string>
#include <vector>

namespace nubra::service {

inline constexpr char kEot = '\x04';
inline constexpr char kEnq = '\x05';

std::vector<std::string> RawPrintout(const std::vector<std::string>& lines);

// "Wysuw 5x" and the like: n feeds in one write.
inline std::string Feeds(int n) {
    return std::string(static_cast<std::size_t>(n), kEot);
}

} // namespace nubra::service
