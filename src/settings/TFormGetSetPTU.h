#pragma once
// "Stawki PTU": the seven VAT rates A..G as percents. The dialog only holds the values; the main
// window reads and writes them (AGetSetPTUExecute).
#include <QDialog>

#include "RateEdit.h"

class QPushButton;

namespace nubra::settings {

class TFormGetSetPTU : public QDialog {
    Q_OBJECT
public:
    static constexpr int RateCount = 7;

    explicit TFormGetSetPTU(QWidget* parent = nullptr);

    // 0 = CE_PTUA .. 6 = CE_PTUG.
    app::RateEdit* Rate(int index) const { return rates_.at(static_cast<std::size_t>(index)); }
    const app::RateEdits& Rates() const { return rates_; }
    QPushButton* SetButton() const { return setButton_; }

    // "Ustaw" closes the dialog only when every rate is one.
    void done(int result) override;

private:
    app::RateEdits rates_{};
    QPushButton* setButton_;
};

} // namespace nubra::settings
