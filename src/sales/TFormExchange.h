#pragma once
// "Potwierdzenie transakcji wymiany walut": the customer, the amount bought, the currency, the rate
// and the value in the native currency (kept as the product of amount and rate). Keeps its values.
#include <QDialog>
#include <memory>

#include "CataloguePicker.h"

class QLineEdit;
class QPushButton;
class QToolButton;

namespace nubra::app {

class TContractorFields;
class TDecimalEdit;

class TFormExchange : public QDialog {
    Q_OBJECT
public:
    TFormExchange(CataloguePicker picker, QWidget* parent = nullptr);
    ~TFormExchange() override;

    TContractorFields& Contractor() const { return *contractor_; }
    QToolButton* BB_WybierzFirme() const { return bbWybierzFirme_; }
    TDecimalEdit* CE_NrTrans() const { return ceNrTrans_; }
    TDecimalEdit* CE_Skup() const { return ceSkup_; }
    QLineEdit* E_Wal() const { return eWal_; }
    TDecimalEdit* CE_Kurs() const { return ceKurs_; }
    TDecimalEdit* CE_Wartosc() const { return ceWartosc_; }
    QPushButton* Btn_Drukuj() const { return btnDrukuj_; }
    QPushButton* Btn_Cancel() const { return btnCancel_; }

    // The contractor picker: the window's PickMode stays as it is.
    void BB_WybierzFirmeClick();
    // The message for the first amount that does not fit its edit; empty when all fit.
    QString Refusal() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateValue();

    CataloguePicker picker_;
    std::unique_ptr<TContractorFields> contractor_;
    QToolButton* bbWybierzFirme_ = nullptr;
    TDecimalEdit* ceNrTrans_ = nullptr;
    TDecimalEdit* ceSkup_ = nullptr;
    QLineEdit* eWal_ = nullptr;
    TDecimalEdit* ceKurs_ = nullptr;
    TDecimalEdit* ceWartosc_ = nullptr;
    QPushButton* btnDrukuj_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace nubra::app
