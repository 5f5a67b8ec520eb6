#include "TFormSettingsDiff.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace nubra::toolkit {

TFormSettingsDiff::TFormSettingsDiff(Purpose purpose, const std::vector<SettingDifference>& differences,
                                     const QString& firstHeading, const QString& secondHeading,
                                     QWidget* parent)
    : QDialog(parent) {
    const bool restore = purpose == Purpose::Restore;
    setWindowTitle(restore ? QStringLiteral("Przywracanie ustawień kasy")
                           : QStringLiteral("Porównanie ustawień kasy"));
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    if (differences.empty())
        summary_->setText(QStringLiteral("Ustawienia są zgodne."));
    else if (restore)
        summary_->setText(QStringLiteral("Zostaną zapisane ustawienia, które się różnią:"));
    else
        summary_->setText(QStringLiteral("Ustawienia, które się różnią:"));

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("LV_Roznice"));
    list_->setHeaderLabels({QStringLiteral("Ustawienie"), firstHeading, secondHeading});
    list_->setRootIsDecorated(false);
    for (const SettingDifference& d : differences)
        list_->addTopLevelItem(
            new QTreeWidgetItem({QString::fromStdString(d.label), QString::fromStdString(d.first),
                                 QString::fromStdString(d.second)}));
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setVisible(!differences.empty());
    summary_->setBuddy(list_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);

    const bool ratesDiffer =
        std::any_of(differences.begin(), differences.end(),
                    [](const SettingDifference& d) { return d.key.starts_with("ptu_"); });
    if (restore && ratesDiffer) {
        rates_ = new QCheckBox(QStringLiteral("Zapisz także &stawki PTU"), this);
        rates_->setObjectName(QStringLiteral("CB_StawkiPTU"));
        auto* warning =
            new QLabel(QStringLiteral("Uwaga: każda zmiana stawek PTU jest zapisywana w pamięci fiskalnej, "
                                      "a liczba takich zmian jest ograniczona."),
                       this);
        warning->setWordWrap(true);
        layout->addWidget(rates_);
        layout->addWidget(warning);
    }

    auto* buttons = new QDialogButtonBox(this);
    if (restore && !differences.empty()) {
        ok_ = buttons->addButton(QStringLiteral("&Przywróć"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole)->setDefault(true);
    } else {
        buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::RejectRole)->setDefault(true);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(680, differences.empty() ? 120 : 400);
}

bool TFormSettingsDiff::WithRates() const {
    return rates_ && rates_->isChecked();
}

} // namespace nubra::toolkit
