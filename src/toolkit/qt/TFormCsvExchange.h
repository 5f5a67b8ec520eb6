#pragma once
// "Eksport bazy do CSV" / "Import bazy z CSV": which catalogue, which file and, for an import, whether
// the rows are added to the catalogue or replace it. The dialog only returns the choice.
#include <QDialog>
#include <QString>

#include "CatalogueCsv.h"
#include "CatalogueDefs.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace nubra::toolkit {

class TFormCsvExchange : public QDialog {
    Q_OBJECT
public:
    enum class Direction { Export, Import };
    TFormCsvExchange(Direction direction, QWidget* parent = nullptr);

    catalogues::Catalogue SelectedCatalogue() const;
    QString FileName() const;
    ImportMode Mode() const;

    QComboBox* CatalogueList() const { return catalogue_; }
    QLineEdit* FileEdit() const { return file_; }
    QRadioButton* ReplaceButton() const { return replace_; }
    QPushButton* OkButton() const { return ok_; }

private:
    void ChooseFile();

    Direction direction_;
    QComboBox* catalogue_;
    QLineEdit* file_;
    QRadioButton* append_ = nullptr;
    QRadioButton* replace_ = nullptr;
    QPushButton* ok_;
};

} // namespace nubra::toolkit
