#pragma once
// The report range shared by the report dialogs: three check boxes acting as one choice ("Daty",
// "Numery", "Cały okres"), each with the page it shows as its tag, over a page control with hidden
// tabs: two dates typed or picked from calendars, two report numbers, or the whole working period.
// A dialog may add pages of its own behind the three (Pages()).
#include <QWidget>
#include <string>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;
class QStackedWidget;

namespace nubra::reports {

// From and To as the printer takes them: yymmdd, "NR" and four digits, or "000000".
struct ReportRange {
    std::string from;
    std::string to;
};

class TReportRange : public QWidget {
    Q_OBJECT
public:
    enum Page { DatesPage = 0, NumbersPage = 1, WholePeriodPage = 2 };
    static constexpr const char* DateMask = "2\\000-00-00;_";

    explicit TReportRange(QWidget* parent = nullptr);

    // What every showing of a report dialog does: range boxes shown, "Daty" chosen, both calendars at
    // today and both dates filled from them; "Numery" and "Cały okres" only for PrinterType > 0.
    void Reset(int printerType);
    // Chooses a range box as a click would: the other two are cleared, its page is shown.
    void Choose(QCheckBox* box);
    void SetBoxesVisible(bool visible);
    ReportRange Range() const;

    QCheckBox* CB_Daty() const { return cbDaty_; }
    QCheckBox* CB_Numery() const { return cbNumery_; }
    QCheckBox* CB_CalyOkres() const { return cbCalyOkres_; }
    QStackedWidget* Pages() const { return pages_; }
    QLineEdit* ME_DateOd() const { return meDateOd_; }
    QLineEdit* ME_DateDo() const { return meDateDo_; }
    QDateEdit* DTPick_Od() const { return dtPickOd_; }
    QDateEdit* DTPick_Do() const { return dtPickDo_; }
    QSpinBox* SpinE_Od() const { return spinEOd_; }
    QSpinBox* SpinE_Do() const { return spinEDo_; }

    // "20yy-mm-dd" -> yymmdd: the characters at 3-4, 6-7 and 9-10, blanks kept as spaces.
    static std::string DateValue(const QLineEdit* edit);
    // "NR" and the number in four digits.
    static std::string NumberValue(int number);

private:
    QWidget* DatesPageWidget();
    QWidget* NumbersPageWidget();

    QButtonGroup* group_;
    QCheckBox* cbDaty_;
    QCheckBox* cbNumery_;
    QCheckBox* cbCalyOkres_;
    QStackedWidget* pages_;
    QLineEdit* meDateOd_ = nullptr;
    QLineEdit* meDateDo_ = nullptr;
    QDateEdit* dtPickOd_ = nullptr;
    QDateEdit* dtPickDo_ = nullptr;
    QSpinBox* spinEOd_ = nullptr;
    QSpinBox* spinEDo_ = nullptr;
};

} // namespace nubra::reports
