#pragma once
// The differences between two copies of the settings, one line per setting (setting, first, second),
// or "Ustawienia są zgodne." when there are none. Before a restore it also offers the VAT rates, which
// are written only when ticked, with the warning about the fiscal memory.
#include <QDialog>
#include <vector>

#include "SettingsSnapshot.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace nubra::toolkit {

class TFormSettingsDiff : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { Compare, Restore };
    TFormSettingsDiff(Purpose purpose, const std::vector<SettingDifference>& differences,
                      const QString& firstHeading, const QString& secondHeading, QWidget* parent = nullptr);

    bool WithRates() const;

    QTreeWidget* Differences() const { return list_; }
    QLabel* Summary() const { return summary_; }
    // Restore only, and only when a rate differs.
    QCheckBox* RatesBox() const { return rates_; }
    QPushButton* OkButton() const { return ok_; }

private:
    QTreeWidget* list_;
    QLabel* summary_;
    QCheckBox* rates_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace nubra::toolkit
