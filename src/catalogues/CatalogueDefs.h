#pragma once
// The three catalogues: each table's fields and its window's look, in one description, so one
// window class and one opening routine serve them all.
#include <string>
#include <vector>

#include "FieldDef.h"

namespace nubra {
class TMyTable;
}

namespace nubra::catalogues {

struct CatalogueField {
    const char* name; // UTF-8; stored in Windows-1250
    FieldType type;
    Alignment alignment;
    bool required;
    int size;
};

struct CatalogueDef {
    const char* tableName;  // file name in the tables directory, without ".tbl"
    const char* windowName; // "TFormTowary"
    const char* caption;
    const char* gridName; // "SG_Towary"
    int minimumWidth;
    std::vector<CatalogueField> fields;
    std::vector<int> columnWidths;
    bool hasGetInfo; // the goods window asks the device about the selected goods
};

enum class Catalogue { Goods = 0, Contractors = 1, Cards = 2 };

// In the order they are opened at start-up: goods, contractors, cards.
const std::vector<CatalogueDef>& CatalogueDefs();
const CatalogueDef& Definition(Catalogue which);

// Names the table after the catalogue in the tables directory (with its trailing separator), creates
// the file from the definition when it is missing and opens it. An existing file keeps its own fields,
// whatever they are. Errors of the engine are raised.
void OpenCatalogue(TMyTable& table, const std::string& tablesDirectory, const CatalogueDef& def);

} // namespace nubra::catalogues
