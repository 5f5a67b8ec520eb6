#pragma once
// The faulty rows of a refused import: one line per fault with the line of the file and the reason.
#include <QDialog>
#include <vector>

#include "CatalogueCsv.h"

class QTreeWidget;

namespace nubra::toolkit {

class TFormImportReport : public QDialog {
    Q_OBJECT
public:
    TFormImportReport(const QString& fileName, const std::vector<RowFault>& faults,
                      QWidget* parent = nullptr);

    QTreeWidget* Faults() const { return list_; }

private:
    QTreeWidget* list_;
};

} // namespace nubra::toolkit
