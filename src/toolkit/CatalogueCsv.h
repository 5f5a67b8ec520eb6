#pragma once
// A catalogue table to and from CSV (CsvText.h): a header row of the field names, then one row per
// record. Import checks every row by the rules the record editor and the engine apply (required text,
// number format with "," or ".", text length, upper case, the Windows-1250 code page) and writes
// nothing unless every row is good. Texts in the file are UTF-8; in the table Windows-1250.
#include "FieldValue.h"

#include <string>
#include <string_view>
#include <vector>

namespace nubra {
class TMyTable;
}

namespace nubra::toolkit {

// Writes every record of the open table; returns how many.
int ExportCatalogueCsv(const TMyTable& table, const std::string& path);

struct RowFault {
    int line = 0;       // line of the file
    std::string reason; // UTF-8
};

struct CheckedCsv {
    std::vector<RowFault> faults;
    // One value per field of the table, in field order; no value for an ftAutoInc field.
    std::vector<std::vector<FieldValue>> records;
};

CheckedCsv CheckCatalogueCsv(const TMyTable& table, std::string_view text);

enum class ImportMode { Append, Replace };

struct ImportDone {
    int records = 0;
    std::string backup; // the old file kept by a replacing import
};

// Writes checked rows that have no fault. The table's file is rebuilt beside it and renamed over, so
// a failure, a kill or a power cut leaves the table as it was; Replace first copies the old file to a
// backup beside it, which is there whole or not at all. The table is closed meanwhile and open again
// afterwards.
ImportDone WriteCatalogueRecords(TMyTable& table, const CheckedCsv& checked, ImportMode mode);

// Removes what an import that was killed half-way left beside the table (tableName without ".tbl");
// each import does it first, and so does the opening of a catalogue at start-up.
void RemoveImportScratch(const std::string& tableName);

} // namespace nubra::toolkit
