#pragma once
// Three lines of 40 characters with left, centre and right alignment; the footer dialog ("Stopka").
// Values only; the main window reads and writes the lines (AGetSetFooterExecute).
#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace nubra::settings {

class TFormHeaderFooter : public QDialog {
    Q_OBJECT
public:
    static constexpr int LineCount = 3;
    static constexpr int LineLength = 40;

    explicit TFormHeaderFooter(QWidget* parent = nullptr);

    // 1 = E_Line1 .. 3 = E_Line3.
    QLineEdit* Line(int n) const { return lines_.at(static_cast<std::size_t>(n - 1)); }
    QToolButton* SB_JustLeft() const { return sbJustLeft_; }
    QToolButton* SB_Center() const { return sbCenter_; }
    QToolButton* SB_JustRight() const { return sbJustRight_; }
    QPushButton* ButtonOK() const { return buttonOk_; }
    QPushButton* ButtonAnuluj() const { return buttonAnuluj_; }

    void SB_JustLeftClick();
    void SB_CenterClick();
    void SB_JustRightClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // E_Line1 or E_Line2 when it has the focus, else E_Line3.
    QLineEdit* FocusedLine() const;

    std::array<QLineEdit*, LineCount> lines_{};
    QToolButton* sbJustLeft_;
    QToolButton* sbCenter_;
    QToolButton* sbJustRight_;
    QPushButton* buttonOk_;
    QPushButton* buttonAnuluj_;
};

} // namespace nubra::settings
