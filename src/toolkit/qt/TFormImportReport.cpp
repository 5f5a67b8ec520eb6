#include "TFormImportReport.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace nubra::toolkit {

TFormImportReport::TFormImportReport(const QString& fileName, const std::vector<RowFault>& faults,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Błędy w pliku CSV"));
    auto* label = new QLabel(QStringLiteral("Plik %1 zawiera błędy (%2). Nic nie zostało zapisane.\n"
                                            "Popraw wymienione wiersze i zaimportuj plik ponownie.")
                                 .arg(fileName)
                                 .arg(faults.size()),
                             this);
    label->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("LV_Bledy"));
    list_->setHeaderLabels({QStringLiteral("Wiersz"), QStringLiteral("Błąd")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    QList<QTreeWidgetItem*> items;
    for (const RowFault& f : faults)
        items.append(new QTreeWidgetItem({QString::number(f.line), QString::fromStdString(f.reason)}));
    list_->addTopLevelItems(items);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    label->setBuddy(list_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(620, 360);
}

} // namespace nubra::toolkit
