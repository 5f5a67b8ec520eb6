#pragma once
// "Rozpoczęcie transakcji": the register, the sales limit and the currency of a new transaction.
// The dialog keeps its limit and rate between uses; the action presets the register and currency.
#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace nubra::app {

class TDecimalEdit;
class TRegisterGroup;

class TFormStartTrans : public QDialog {
    Q_OBJECT
public:
    // nativeCurrency: read on every change of the currency box ("PLN" or "EUR").
    explicit TFormStartTrans(std::function<QString()> nativeCurrency, QWidget* parent = nullptr);

    TRegisterGroup* RG_Rejestr() const { return rgRejestr_; }
    TDecimalEdit* CE_Limit() const { return ceLimit_; }
    QComboBox* CB_Many() const { return cbMany_; }
    QComboBox* CB_Waluta() const { return cbWaluta_; }
    QLabel* LblKurs() const { return lblKurs_; }
    TDecimalEdit* CE_Kurs() const { return ceKurs_; }
    QPushButton* ButtonOK() const { return buttonOk_; }
    QPushButton* ButtonAnuluj() const { return buttonAnuluj_; }

    // The rate is for a currency other than the native one only.
    void CB_WalutaChange();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<QString()> nativeCurrency_;
    TRegisterGroup* rgRejestr_ = nullptr;
    TDecimalEdit* ceLimit_ = nullptr;
    QComboBox* cbMany_ = nullptr;
    QComboBox* cbWaluta_ = nullptr;
    QLabel* lblKurs_ = nullptr;
    TDecimalEdit* ceKurs_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
    QPushButton* buttonAnuluj_ = nullptr;
};

} // namespace nubra::app
