// libFuzzer entry: any bytes as a settings snapshot file (*.nx3.json). The flat JSON beneath it must
// read back as it was read once written; a snapshot that is taken must survive its own writing and
// compare equal to itself. A refusal is JsonError and nothing else.
#include <cstdint>
#include <string_view>
#include <vector>

#include "FlatJson.h"
#include "FuzzCheck.h"
#include "SettingsSnapshot.h"

namespace {

using nubra::fuzz::Require;
using namespace nubra::toolkit;

void FlatJsonReadsBack(std::string_view text) {
    std::vector<JsonEntry> entries;
    try {
        entries = ReadFlatJson(text);
    } catch (const JsonError& e) {
        Require(e.Line() >= 1, "a refusal names a line of the file");
        return;
    }
    const std::vector<JsonEntry> again = ReadFlatJson(WriteFlatJson(entries));
    Require(again.size() == entries.size(), "every key read survives a write");
    for (std::size_t i = 0; i < entries.size(); ++i)
        Require(again[i].key == entries[i].key && again[i].value == entries[i].value,
                "a key and its value survive a write");
}

void SnapshotReadsBack(std::string_view text) {
    SettingsSnapshot snapshot;
    try {
        snapshot = SnapshotFromJson(text);
    } catch (const JsonError&) {
        return;
    }
    const SettingsSnapshot again = SnapshotFromJson(SnapshotToJson(snapshot));
    Require(again.uniqueNo == snapshot.uniqueNo && again.readAt == snapshot.readAt &&
                again.values == snapshot.values,
            "a snapshot read survives a write");
    Require(CompareSnapshots(snapshot, again).empty(), "a snapshot compares equal to its copy");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FlatJsonReadsBack(text);
    SnapshotReadsBack(text);
    return 0;
}
