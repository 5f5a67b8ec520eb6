#include "TFormCsvExchange.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DialogSeam.h"

namespace nubra::toolkit {

TFormCsvExchange::TFormCsvExchange(Direction direction, QWidget* parent)
    : QDialog(parent), direction_(direction) {
    const bool import = direction == Direction::Import;
    setWindowTitle(import ? QStringLiteral("Import bazy z CSV") : QStringLiteral("Eksport bazy do CSV"));
    auto* form = new QFormLayout;
    catalogue_ = new QComboBox(this);
    catalogue_->setObjectName(QStringLiteral("CB_Baza"));
    catalogue_->addItems(
        {QStringLiteral("Towary"), QStringLiteral("Kontrahenci"), QStringLiteral("Karty płatnicze")});
    form->addRow(QStringLiteral("&Baza:"), catalogue_);

    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("E_Plik"));
    auto* choose = new QPushButton(QStringLiteral("&Wybierz..."), this);
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, &TFormCsvExchange::ChooseFile);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(choose);
    auto* fileLabel = new QLabel(QStringLiteral("&Plik:"), this);
    fileLabel->setBuddy(file_);
    form->addRow(fileLabel, fileRow);

    if (import) {
        append_ = new QRadioButton(QStringLiteral("&Dopisz do bazy"), this);
        replace_ =
            new QRadioButton(QStringLiteral("&Zastąp bazę (poprzednia zostanie zachowana jako kopia)"), this);
        append_->setChecked(true);
        form->addRow(QString(), append_);
        form->addRow(QString(), replace_);
    }

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(import ? QStringLiteral("&Importuj") : QStringLiteral("&Eksportuj"),
                             QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!file_->text().trimmed().isEmpty())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    setTabOrder(catalogue_, file_);
    setTabOrder(file_, choose);
}

void TFormCsvExchange::ChooseFile() {
    QFileDialog dialog(this, windowTitle(), file_->text(),
                       QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (direction_ == Direction::Export) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (app::DialogSeam::Current().Exec(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        file_->setText(dialog.selectedFiles().constFirst());
}

catalogues::Catalogue TFormCsvExchange::SelectedCatalogue() const {
    return static_cast<catalogues::Catalogue>(std::max(catalogue_->currentIndex(), 0));
}

QString TFormCsvExchange::FileName() const {
    return file_->text().trimmed();
}

ImportMode TFormCsvExchange::Mode() const {
    return replace_ && replace_->isChecked() ? ImportMode::Replace : ImportMode::Append;
}

} // namespace nubra::toolkit
