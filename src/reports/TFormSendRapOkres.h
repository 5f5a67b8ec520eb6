#pragma once
// "Przesyłanie raportu okresowego...": shown while the periodic report comes in as text, with the
// last five lines received. "Zakończ" (or closing the window any other way) sets TransferCancelled,
// which ends the transfer after the line being read.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace nubra::reports {

// False while a transfer runs; set when the transfer window closes.
extern bool TransferCancelled;

class TFormSendRapOkres : public QDialog {
    Q_OBJECT
public:
    static constexpr int ShownLines = 5;
    static constexpr int LineWidth = 40;

    explicit TFormSendRapOkres(QWidget* parent = nullptr);

    void Clear();
    // Appends a line; the oldest goes once five are shown.
    void AddLine(const QString& line);
    QPlainTextEdit* M_RapOkr() const { return memo_; }
    QPushButton* Btn_Zakoncz() const { return btnZakoncz_; }

signals:
    void lineAdded(const QString& line);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QPlainTextEdit* memo_;
    QPushButton* btnZakoncz_;
};

} // namespace nubra::reports
