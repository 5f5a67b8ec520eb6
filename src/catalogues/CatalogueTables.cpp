#include "CatalogueTables.h"

#include "Cp1250.h"
#include "NubraError.h"
#include "TableModal.h"

namespace nubra::catalogues {

CatalogueTables::CatalogueTables(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("CatalogueTables"));
    for (auto& t : tables_) {
        t = std::make_unique<TMyTable>();
        tables_qt::RouteTableMessages(*t);
    }
}

CatalogueTables::~CatalogueTables() = default;

void CatalogueTables::OpenAll(const std::string& tablesDirectory,
                              const std::function<void(const std::string&)>& onError) {
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        const CatalogueDef& def = CatalogueDefs()[i];
        TMyTable& table = *tables_[i];
        try {
            table.SetTableName(tablesDirectory + def.tableName);
            // An existing file keeps its own fields, whatever they are.
            if (!table.Exists()) {
                for (const CatalogueField& f : def.fields)
                    table.AddField(cp1250::FromUtf8(f.name), f.type, f.alignment, f.required, f.size);
                table.CreateTable();
            }
            table.Open();
        } catch (const Error& e) {
            onError(e.what());
        }
    }
}

CatalogueTables* CatalogueTables::Of(const QObject& owner) {
    return owner.findChild<CatalogueTables*>(QStringLiteral("CatalogueTables"), Qt::FindDirectChildrenOnly);
}

} // namespace nubra::catalogues
