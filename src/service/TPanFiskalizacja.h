#pragma once
// "Fiskalizacja": the seven VAT rates A..G the printer starts its fiscal life with. "Fiskalizuj" is
// offered only while at least one rate is active (differs from 99,99 %).
#include <QDialog>

#include "RateEdit.h"

class QLabel;
class QPushButton;

namespace nubra::service {

using app::RateEdit;

class TPanFiskalizacja : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFiskalizuj = 1;
    static constexpr int kAnuluj = 2;

    explicit TPanFiskalizacja(QWidget* parent = nullptr);

    // E_PtuA..E_PtuG.
    RateEdit* Rate(int index) const { return rates_[static_cast<std::size_t>(index)]; }
    const app::RateEdits& Rates() const { return rates_; }
    // nullopt while one of the texts is not a rate.
    std::optional<std::array<int, 7>> Hundredths() const;
    void SetHundredths(const std::array<int, 7>& rates);
    // Enables "Fiskalizuj" and shows the warning as the rates say.
    void CheckRates();
    // "Fiskalizuj" closes the dialog only when every rate is one.
    void done(int result) override;

    QPushButton* FiskalizujButton() const { return kbFiskalizuj_; }
    QLabel* Warning() const { return warning_; }

private:
    app::RateEdits rates_{};
    QLabel* warning_;
    QPushButton* kbFiskalizuj_;
    QPushButton* bAnuluj_;
};

} // namespace nubra::service
