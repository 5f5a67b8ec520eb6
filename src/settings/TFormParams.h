#pragma once
// "Parametry": the four device parameters of the status bytes and the current currency. Values only;
// the main window reads and writes the status (AGetSetParamsExecute).
#include <QDialog>

class QLabel;
class QPushButton;

namespace nubra::settings {

class TRadioGroup;

class TFormParams : public QDialog {
    Q_OBJECT
public:
    explicit TFormParams(QWidget* parent = nullptr);

    TRadioGroup* RG_Transm() const { return rgTransm_; }
    TRadioGroup* RG_Sep() const { return rgSep_; }
    TRadioGroup* RG_Mode() const { return rgMode_; }
    TRadioGroup* RG_Potw() const { return rgPotw_; }
    QLabel* L_Waluta() const { return lWaluta_; }
    QPushButton* Btn_Ustaw() const { return btnUstaw_; }

    // The radio groups and the currency from the status bytes.
    void ShowStatus(unsigned char status1, unsigned char status2);
    // The status bytes the radio groups stand for; the currency bit is always sent clear.
    unsigned char Status1() const;
    unsigned char Status2() const;

private:
    TRadioGroup* rgTransm_;
    TRadioGroup* rgSep_;
    TRadioGroup* rgMode_;
    TRadioGroup* rgPotw_;
    QLabel* lWaluta_;
    QPushButton* btnUstaw_;
};

} // namespace nubra::settings
