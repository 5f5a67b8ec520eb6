#pragma once
// "Raport rozliczeniowy": the range of the settlement report, which ends the printer's fiscal life.
// "Anuluj" is the default button, so Enter cancels. The dialog only returns the choice; the main
// window's ARozliczeniowy asks once more and starts the report.
#include <QDialog>

#include "TReportRange.h"

class QPushButton;

namespace nubra::reports {

class TFormRozliczeniowy : public QDialog {
    Q_OBJECT
public:
    enum Result { Execute = 1, Cancel = 2 };

    explicit TFormRozliczeniowy(QWidget* parent = nullptr);

    void SetPrinterType(int printerType) { printerType_ = printerType; }
    TReportRange* RangePanel() const { return range_; }
    QPushButton* Btn_Wykonaj() const { return btnWykonaj_; }
    QPushButton* Btn_Cancel() const { return btnCancel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    int printerType_ = 2;
    TReportRange* range_;
    QPushButton* btnWykonaj_;
    QPushButton* btnCancel_;
};

} // namespace nubra::reports
