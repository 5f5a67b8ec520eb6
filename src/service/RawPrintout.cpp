#include "RawPrintout.h"

namespace nubra::service {

std::vector<std::string> RawPrintout(const std::vector<std::string>& lines) {
    constexpr int kTrailing = 8, kShortPage = 15, kPage = 16;
    std::vector<std::string> writes;
    for (const std::string& line : lines)
        writes.push_back(line.empty() ? Feeds(1) : '\x02' + line + '\x03');
    writes.push_back(Feeds(kTrailing));
    const int n = static_cast<int>(lines.size());
    writes.push_back(n + kTrailing <= kShortPage ? Feeds(kPage - (n + kTrailing)) : std::string{});
    writes.push_back(std::string(1, kEnq));
    return writes;
}

} // namespace nubra::service
