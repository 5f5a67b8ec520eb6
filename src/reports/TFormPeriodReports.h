#pragma once
// "Raport fiskalny": the choice of a report (periodic, monthly, settlement), its range or month, and
// what to do with it: print it, print its summary, or send it to the computer. The dialog only
// returns the choice (its result and Arguments()); the main window's APeriodReports does the rest.
#include <QDialog>
#include <string>

#include "TReportRange.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace nubra::reports {

struct ReportArguments {
    std::string from;
    std::string to;
    std::string month; // yymm, only for the monthly report
};

class TFormPeriodReports : public QDialog {
    Q_OBJECT
public:
    // The dialog's results.
    enum Result { Print = 1, Cancel = 2, PrintSummary = 4, Send = 6 };
    enum class Kind { Periodic, Monthly, Settlement };
    static constexpr int MonthPage = 3;

    explicit TFormPeriodReports(QWidget* parent = nullptr);

    // Read at every showing (which controls are enabled).
    void SetPrinterType(int printerType) { printerType_ = printerType; }
    // Chooses a kind as a click would, with that kind's settings.
    void ChooseKind(QCheckBox* box);
    Kind CheckedKind() const;
    ReportArguments Arguments() const;

    QCheckBox* CB_Okresowy() const { return cbOkresowy_; }
    QCheckBox* CB_Miesieczny() const { return cbMiesieczny_; }
    QCheckBox* CB_Rozliczeniowy() const { return cbRozliczeniowy_; }
    TReportRange* RangePanel() const { return range_; }
    QComboBox* CB_Miesiac() const { return cbMiesiac_; }
    QSpinBox* SE_Rok() const { return seRok_; }
    QPushButton* Btn_Drukuj() const { return btnDrukuj_; }
    QPushButton* Btn_Przeslij() const { return btnPrzeslij_; }
    QPushButton* Btn_Podsumowanie() const { return btnPodsumowanie_; }
    QPushButton* Btn_Cancel() const { return btnCancel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* MonthPageWidget();
    void FormShow();

    int printerType_ = 2;
    QButtonGroup* kinds_;
    QCheckBox* cbOkresowy_;
    QCheckBox* cbMiesieczny_;
    QCheckBox* cbRozliczeniowy_;
    TReportRange* range_;
    QComboBox* cbMiesiac_ = nullptr;
    QSpinBox* seRok_ = nullptr;
    QPushButton* btnDrukuj_;
    QPushButton* btnPrzeslij_;
    QPushButton* btnPodsumowanie_;
    QPushButton* btnCancel_;
};

} // namespace nubra::reports
