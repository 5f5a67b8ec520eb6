#include "CatalogueCsv.h"

#include "AtomicFile.h"
#include "Cp1250.h"
#include "CsvText.h"
#include "FileText.h"
#include "NubraError.h"
#include "TMyTable.h"
#include "TextCheck.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>

namespace nubra::toolkit {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const FieldDef& f) {
    return "'" + cp1250::ToUtf8(f.name) + "'";
}

// Spreadsheets may write numbers with a space or a no-break space between thousands.
std::string NumberText(std::string_view cell) {
    std::string text;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] == ' ')
            continue;
        if (cell.substr(i, 2) == "\xC2\xA0") {
            ++i;
            continue;
        }
        if (cell.substr(i, 3) == "\xE2\x80\xAF") {
            i += 2;
            continue;
        }
        text += cell[i] == '.' ? ',' : cell[i];
    }
    return text;
}

std::optional<FieldValue> ParseNumber(FieldType type, const std::string& text) {
    const FieldValue value = text;
    if (type == FieldType::ftInteger)
        if (const auto v = ToInteger(value))
            return *v;
    if (type == FieldType::ftFloat)
        if (const auto v = ToDouble(value))
            return *v;
    if (type == FieldType::ftCurrency)
        if (const auto v = ToCurrency(value))
            return *v;
    return std::nullopt;
}

// The cell as the field stores it, or the reason it cannot be stored.
std::string CheckCell(const FieldDef& f, const std::string& cell, FieldValue& value) {
    if (f.type != FieldType::ftString) {
        const auto number = ParseNumber(f.type, NumberText(cell));
        if (!number)
            return "Wartość pola " + Quoted(f) + " jest niepoprawna.";
        value = *number;
        return {};
    }
    if (const std::string fault = TextFault(cell, true); !fault.empty())
        return "Pole " + Quoted(f) + ": " + fault + ".";
    const std::string bytes = cp1250::FromUtf8(cell);
    if (std::ssize(bytes) > f.size)
        return "Pole " + Quoted(f) + " jest dłuższe niż " + std::to_string(f.size) + " znaków.";
    if (f.required && bytes.empty())
        return "Dla pola " + Quoted(f) + " wymagana jest wartość.";
    value = cp1250::ToUpper(bytes);
    return {};
}

// For each column the field it fills (-1: an ftAutoInc column, ignored); faults when the header does
// not name every field once.
std::vector<int> MapHeader(const TMyTable& table, const CsvRow& header, std::vector<RowFault>& faults) {
    std::vector<int> columns;
    std::vector<bool> seen(static_cast<std::size_t>(table.FieldCount()), false);
    for (const std::string& cell : header.cells) {
        const std::string name = cp1250::ToUpper(cp1250::FromUtf8(cell));
        int found = -2;
        for (int i = 0; i < table.FieldCount() && found == -2; ++i)
            if (table.Field(i).name == name)
                found = i;
        if (found == -2) {
            faults.push_back({header.line, "Nieznana kolumna '" + cell + "' w nagłówku."});
            continue;
        }
        if (seen[static_cast<std::size_t>(found)])
            faults.push_back({header.line, "Kolumna '" + cell + "' powtarza się w nagłówku."});
        seen[static_cast<std::size_t>(found)] = true;
        columns.push_back(table.Field(found).type == FieldType::ftAutoInc ? -1 : found);
    }
    for (int i = 0; i < table.FieldCount(); ++i)
        if (!seen[static_cast<std::size_t>(i)] && table.Field(i).type != FieldType::ftAutoInc)
            faults.push_back({header.line, "Brak kolumny " + Quoted(table.Field(i)) + " w nagłówku."});
    return columns;
}

void CheckRow(const TMyTable& table, const std::vector<int>& columns, const CsvRow& row, CheckedCsv& out) {
    auto fault = [&](std::string reason) { out.faults.push_back({row.line, std::move(reason)}); };
    if (row.unterminatedQuote)
        return fault("Cudzysłów otwarty w tym wierszu nie jest zamknięty.");
    if (row.cells.size() != columns.size())
        return fault("Wiersz ma " + std::to_string(row.cells.size()) + " kolumn, a nagłówek " +
                     std::to_string(columns.size()) + ".");
    const std::size_t before = out.faults.size();
    std::vector<FieldValue> record(static_cast<std::size_t>(table.FieldCount()));
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c] < 0)
            continue;
        if (!IsUtf8(row.cells[c])) {
            fault("Wiersz nie jest zapisany w UTF-8.");
            break;
        }
        const std::string reason =
            CheckCell(table.Field(columns[c]), row.cells[c], record[static_cast<std::size_t>(columns[c])]);
        if (!reason.empty())
            fault(reason);
    }
    if (out.faults.size() == before)
        out.records.push_back(std::move(record));
}

std::string TimeStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", std::localtime(&now));
    return text;
}

std::string FreeBackupName(const std::string& tableName) {
    const std::string stem = tableName + "." + TimeStamp();
    std::string name = stem + ".bak";
    for (int n = 2; fs::exists(name); ++n)
        name = stem + "-" + std::to_string(n) + ".bak";
    return name;
}

// What an import writes beside the table before it is in place. No dot in the table's name: the engine
// takes what follows a dot for an extension.
std::string ScratchTable(const std::string& tableName) {
    return tableName + "_import";
}
// The backup is copied here and renamed only when whole, so a cut never leaves a ".bak" cut short.
std::string ScratchBackup(const std::string& tableName) {
    return tableName + "_import.tmp";
}

void Durably(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!ReplaceDurably(from, to, &ec))
        throw fs::filesystem_error("rename", from, to, ec);
}

// The new file beside the table's: a copy of it, with its records or without them.
void BuildFile(const TMyTable& source, const std::string& tempName, std::int64_t dataOffset,
               const CheckedCsv& checked, ImportMode mode) {
    fs::copy_file(source.FileName(), tempName + ".tbl", fs::copy_options::overwrite_existing);
    if (mode == ImportMode::Replace)
        fs::resize_file(tempName + ".tbl", static_cast<std::uintmax_t>(dataOffset));
    TMyTable out;
    out.SetTableName(tempName);
    out.SetScratch(true);
    out.Open();
    for (const auto& record : checked.records) {
        out.Append();
        for (int i = 0; i < out.FieldCount(); ++i)
            if (out.Field(i).type != FieldType::ftAutoInc)
                out.SetField(i, record[static_cast<std::size_t>(i)]);
        if (!out.Post())
            throw Error("Błąd zapisu do pliku '" + out.FileName() + "'.");
    }
    out.Close();
}

} // namespace

int ExportCatalogueCsv(const TMyTable& table, const std::string& path) {
    if (!table.Active())
        throw Error("Tabela '" + table.TableName() + "' nie jest otwarta.");
    std::vector<std::string> cells;
    for (int i = 0; i < table.FieldCount(); ++i)
        cells.push_back(cp1250::ToUtf8(table.Field(i).name));
    std::string text(kUtf8Bom);
    text += CsvLine(cells);
    for (int r = 0; r < table.RecordCount(); ++r) {
        cells.clear();
        for (const FieldValue& value : table.PeekRecord(r))
            cells.push_back(cp1250::ToUtf8(ToText(value)));
        text += CsvLine(cells);
    }
    WriteWholeFile(path, text);
    return table.RecordCount();
}

CheckedCsv CheckCatalogueCsv(const TMyTable& table, std::string_view text) {
    CheckedCsv out;
    const std::vector<CsvRow> rows = ParseCsv(text);
    if (rows.empty()) {
        out.faults.push_back({1, "Plik nie ma wiersza nagłówka."});
        return out;
    }
    const std::vector<int> columns = MapHeader(table, rows.front(), out.faults);
    if (!out.faults.empty())
        return out;
    out.records.reserve(rows.size() - 1);
    for (std::size_t r = 1; r < rows.size(); ++r)
        CheckRow(table, columns, rows[r], out);
    return out;
}

void RemoveImportScratch(const std::string& tableName) {
    std::error_code ec;
    fs::remove(ScratchTable(tableName) + ".tbl", ec);
    fs::remove(ScratchTable(tableName) + ".tbl.undo", ec);
    fs::remove(ScratchBackup(tableName), ec);
}

ImportDone WriteCatalogueRecords(TMyTable& table, const CheckedCsv& checked, ImportMode mode) {
    if (!table.Active())
        throw Error("Tabela '" + table.TableName() + "' nie jest otwarta.");
    if (!checked.faults.empty())
        throw Error("Plik zawiera błędne wiersze; nic nie zostało zapisane.");
    const std::string tempName = ScratchTable(table.TableName());
    const std::int64_t dataOffset =
        TMyTable::kHeaderSize + std::int64_t{table.FieldCount()} * FieldDef::kSlotSize;
    ImportDone done;
    try {
        table.Close();
    } catch (...) {
        // Closing rewrites the definitions, which a full disk refuses; the table stays as it was.
        table.Open();
        throw;
    }
    RemoveImportScratch(table.TableName());
    try {
        BuildFile(table, tempName, dataOffset, checked, mode);
        if (mode == ImportMode::Replace) {
            done.backup = FreeBackupName(table.FileName());
            fs::copy_file(table.FileName(), ScratchBackup(table.TableName()));
            Durably(ScratchBackup(table.TableName()), done.backup);
        }
        Durably(tempName + ".tbl", table.FileName());
    } catch (const fs::filesystem_error&) {
        RemoveImportScratch(table.TableName());
        table.Open();
        throw Error("Błąd zapisu do pliku '" + table.FileName() + "'.");
    } catch (...) {
        RemoveImportScratch(table.TableName());
        table.Open();
        throw;
    }
    table.Open();
    done.records = static_cast<int>(checked.records.size());
    return done;
}

} // namespace nubra::toolkit
