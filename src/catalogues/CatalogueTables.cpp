#include "CatalogueTables.h"

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
        try {
            OpenCatalogue(*tables_[i], tablesDirectory, CatalogueDefs()[i]);
        } catch (const Error& e) {
            onError(e.what());
        }
    }
}

CatalogueTables* CatalogueTables::Of(const QObject& owner) {
    return owner.findChild<CatalogueTables*>(QStringLiteral("CatalogueTables"), Qt::FindDirectChildrenOnly);
}

} // namespace nubra::catalogues
