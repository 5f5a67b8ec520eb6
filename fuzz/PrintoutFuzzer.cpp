// libFuzzer entry: any bytes as the text file of a service printout, cut into lines as nx3cli's "print"
// cuts it and turned into the raw stream the printer is sent. Each line becomes one write (its text
// between STX and ETX, or one feed when empty), then the feeds that bring the paper to at least 16
// lines and the cut. A file that is not UTF-8 reaches the printer byte for byte, CR and LF aside.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "CliCommands.h"
#include "CsvText.h"
#include "FuzzCheck.h"
#include "RawPrintout.h"
#include "TNX3Class.h"

namespace {

using nubra::fuzz::Require;
using namespace nubra::service;

std::size_t Count(const std::string& text, char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

void StreamHolds(const std::vector<std::string>& lines) {
    const std::vector<std::string> writes = RawPrintout(lines);
    const std::size_t n = lines.size();
    Require(writes.size() == n + 3, "one write per line, then the feeds, the padding and the cut");
    for (std::size_t i = 0; i < n; ++i) {
        if (lines[i].empty()) {
            Require(writes[i] == Feeds(1), "an empty line is one feed");
        } else {
            Require(writes[i] == '\x02' + lines[i] + '\x03', "a line is its text between STX and ETX");
        }
        // Sent as the printer's code page, one byte for one.
        Require(nubra::TNX3Class::WindowsToMazovia(writes[i]).size() == writes[i].size(),
                "a write keeps its length in the printer's code page");
    }
    Require(writes[n] == Feeds(8), "eight feeds after the text");
    Require(writes[n + 1] == std::string(Count(writes[n + 1], kEot), kEot), "the padding is feeds only");
    Require(n + 8 + writes[n + 1].size() >= 16, "the paper moves at least 16 lines");
    Require(writes[n + 2] == std::string(1, kEnq), "the stream ends with the cut");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = nubra::cli::PrintoutLines(text);

    // A CR is no part of a line, wherever it stands.
    std::string plain = text;
    std::erase(plain, '\r');
    Require(lines.size() == Count(plain, '\n') + (plain.empty() || plain.back() == '\n' ? 0 : 1),
            "one line per line end");
    for (const std::string& line : lines)
        Require(line.find_first_of("\r\n") == std::string::npos, "a line has no line end");
    if (!nubra::toolkit::IsUtf8(text)) {
        std::string joined;
        for (const std::string& line : lines)
            joined += line;
        std::erase(plain, '\n');
        Require(joined == plain, "a file that is not UTF-8 is sent byte for byte");
    }
    StreamHolds(lines);
    return 0;
}
