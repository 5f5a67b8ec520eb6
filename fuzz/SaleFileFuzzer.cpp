// libFuzzer entry: any bytes as the sale file of nx3cli's "sell" or "exchange" (records in JSON or
// CSV). Input: a flags byte (bit 0: JSON, else CSV; bit 1: "exchange", else "sell"; bit 2: "--print"),
// then the file. The file reads as records of printable text or is refused with a usage error naming
// the line; the subcommand then runs on it against the emulated printer (CliHarness.h).
#include <cstdint>
#include <string>
#include <vector>

#include "CliCommands.h"
#include "CliHarness.h"
#include "FuzzCheck.h"
#include "RecordFile.h"
#include "ScratchFile.h"
#include "TextCheck.h"

namespace {

using namespace nubra::cli;
using nubra::fuzz::Require;

void RecordsHold(const std::string& text, bool json) {
    std::vector<Record> records;
    try {
        records = json ? ParseJsonRecords(text) : ParseCsvRecords(text);
    } catch (const UsageError&) {
        return;
    }
    for (const Record& record : records) {
        for (const auto& [name, value] : record) {
            for (char c : name)
                Require(c < 'A' || c > 'Z', "a field name is taken in lower case");
            Require(nubra::TextFault(value, true).empty(), "a value that could break a frame is refused");
        }
        if (!json)
            Require(record.size() == records.front().size(), "every CSV record has the header's fields");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool json = data[0] & 1;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    RecordsHold(text, json);

    nubra::fuzz::ScratchFile file("sale_file", json ? ".json" : ".csv");
    file.Write(text);
    CliOptions options;
    options.command = (data[0] & 2) ? "exchange" : "sell";
    if (data[0] & 4)
        options.args.push_back("--print");
    options.args.push_back(file.Path());
    nubra::fuzz::RunCliHandler(*FindCliCommand(options.command), options);
    return 0;
}
