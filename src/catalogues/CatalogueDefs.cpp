#include "CatalogueDefs.h"

#include "CatalogueCsv.h"
#include "Cp1250.h"
#include "TMyTable.h"

namespace nubra::catalogues {
namespace {

constexpr auto L = Alignment::Left;
constexpr auto R = Alignment::Right;
constexpr auto C = Alignment::Center;
constexpr auto Text = FieldType::ftString;

} // namespace

const std::vector<CatalogueDef>& CatalogueDefs() {
    // Card field sizes are the widths of the card fields of the sale commands.
    static const std::vector<CatalogueDef> defs = {
        {"TOWARY",
         "TFormTowary",
         "Towary",
         "SG_Towary",
         433,
         {{"NAZWA", Text, L, true, 40},
          {"PTU", Text, C, true, 1},
          {"CENA", FieldType::ftCurrency, R, false, 0}},
         {319, 32, 96},
         true},
        {"KONTRAH",
         "TFormKontrah",
         "Kontrahenci",
         "SG_Kontrah",
         575,
         {{"NAZWA 1", Text, L, true, 40},
          {"NAZWA 2", Text, L, true, 40},
          {"ULICA", Text, L, true, 40},
          {"MIASTO", Text, L, true, 40},
          {"NIP", Text, L, true, 40}},
         {215, 177, 165, 148, 121},
         false},
        {"KARTY",
         "TFormKarty",
         "Karty",
         "SG_Karty",
         552,
         {{"NAZWA", Text, L, true, 16},
          {"NUMER", Text, C, true, 20},
          {"TID", Text, C, true, 8},
          {"UID", Text, C, true, 15},
          {"WAŻNOŚĆ", Text, C, true, 5},
          {"KOD", Text, C, true, 9}},
         {103, 134, 63, 97, 64, 67},
         false},
    };
    return defs;
}

const CatalogueDef& Definition(Catalogue which) {
    return CatalogueDefs().at(static_cast<std::size_t>(which));
}

void OpenCatalogue(TMyTable& table, const std::string& tablesDirectory, const CatalogueDef& def) {
    table.SetTableName(tablesDirectory + def.tableName);
    toolkit::RemoveImportScratch(table.TableName());
    if (!table.Exists()) {
        for (const CatalogueField& f : def.fields)
            table.AddField(cp1250::FromUtf8(f.name), f.type, f.alignment, f.required, f.size);
        table.CreateTable();
    }
    table.Open();
}

} // namespace nubra::catalogues
