// libFuzzer entry: any bytes as a CSV file imported into one of the three catalogues, which holds one
// record already. Input: a byte choosing the catalogue (bits 0-1) and the import (bit 2: replace),
// then the file.
//
// A file with a faulty row writes nothing: the import is refused with the program's error and the
// table reads as before. A file without one is written whole: the table holds its old records (unless
// replaced) and then the file's, in order, and what is exported from it imports back to the same.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "CatalogueCsv.h"
#include "CatalogueDefs.h"
#include "FileText.h"
#include "FuzzCheck.h"
#include "NubraError.h"
#include "ScratchFile.h"
#include "TMyTable.h"

namespace {

using nubra::FieldValue;
using nubra::fuzz::Require;
using namespace nubra::toolkit;

using Records = std::vector<std::vector<FieldValue>>;

Records Contents(const nubra::TMyTable& t) {
    Records records;
    for (int r = 0; r < t.RecordCount(); ++r)
        records.push_back(t.PeekRecord(r));
    return records;
}

// A record every catalogue takes: a letter in each text, 1,00 in a number.
void AddRecord(nubra::TMyTable& t) {
    t.Append();
    for (int i = 0; i < t.FieldCount(); ++i) {
        if (t.Field(i).type == nubra::FieldType::ftString)
            t.SetField(i, std::string("X"));
        else
            t.SetField(i, nubra::Currency{10000});
    }
    Require(t.Post(), "the first record is written");
}

void ImportsBack(const nubra::TMyTable& t, const nubra::fuzz::ScratchFile& csv) {
    ExportCatalogueCsv(t, csv.Path());
    const CheckedCsv again = CheckCatalogueCsv(t, ReadWholeFile(csv.Path()));
    Require(again.faults.empty(), "an exported catalogue has no faulty row");
    Require(again.records == Contents(t), "an exported catalogue imports back to the same records");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const auto& def = nubra::catalogues::CatalogueDefs()[data[0] % 3];
    const ImportMode mode = (data[0] & 4) ? ImportMode::Replace : ImportMode::Append;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    nubra::fuzz::ScratchFile csv("catalogue", ".csv");
    // The table is named after the catalogue: the scratch name is its folder's part.
    const std::string folder = csv.Base() + "_";
    nubra::TMyTable table;
    std::filesystem::remove(folder + def.tableName + ".tbl");
    nubra::catalogues::OpenCatalogue(table, folder, def);
    AddRecord(table);
    const Records before = Contents(table);

    const CheckedCsv checked = CheckCatalogueCsv(table, text);
    for (const auto& record : checked.records)
        Require(static_cast<int>(record.size()) == table.FieldCount(), "a checked row fills every field");
    ImportDone done;
    bool written = false;
    try {
        done = WriteCatalogueRecords(table, checked, mode);
        written = true;
    } catch (const nubra::Error&) {
    }
    Require(table.Active(), "the table is open after an import");
    Require(written == checked.faults.empty(), "a file is written exactly when no row is faulty");
    if (!written) {
        Require(Contents(table) == before, "a refused import leaves the table as it was");
    } else {
        Records expected = mode == ImportMode::Append ? before : Records{};
        expected.insert(expected.end(), checked.records.begin(), checked.records.end());
        Require(done.records == static_cast<int>(checked.records.size()), "the count of records written");
        Require(Contents(table) == expected, "an import adds the file's records in order");
        ImportsBack(table, csv);
    }
    table.Close();
    std::filesystem::remove(table.FileName());
    if (!done.backup.empty())
        std::filesystem::remove(done.backup);
    return 0;
}
