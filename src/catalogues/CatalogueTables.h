#pragma once
// The three catalogue tables, program-wide: created and opened at start-up (before the
// configuration is read) and kept open for the whole run. Owned by the main window.
//
// Pickers read the picked record by name, e.g.
//   CatalogueTables::Of(main)->Table(Catalogue::Goods).GetFieldByName("NAZWA")  (Windows-1250 names)
#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "CatalogueDefs.h"
#include "TMyTable.h"

namespace nubra::catalogues {

class CatalogueTables : public QObject {
    Q_OBJECT
public:
    explicit CatalogueTables(QObject* owner);
    ~CatalogueTables() override;

    TMyTable& Table(Catalogue which) { return *tables_.at(static_cast<std::size_t>(which)); }

    // For each table in order: name it, create its file from the definition when missing, open it.
    // A table that cannot be opened stays closed; its error goes to onError and the next is opened.
    void OpenAll(const std::string& tablesDirectory, const std::function<void(const std::string&)>& onError);

    // The tables of the main window (or any owner given to the constructor); nullptr before start-up.
    static CatalogueTables* Of(const QObject& owner);

private:
    std::array<std::unique_ptr<TMyTable>, 3> tables_;
};

} // namespace nubra::catalogues
