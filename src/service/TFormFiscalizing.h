#pragma once
// "Fiskalizacja": the tax number (NIP) the printer is prepared with ("U2"). The window does no I/O:
// "Przygotuj" asks the main window's APrepareFiscalizing.
#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace nubra::service {

class TFormFiscalizing : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxNip = 13;
    static constexpr int kMaxDashes = 4;

    explicit TFormFiscalizing(QWidget* parent = nullptr);

    // Whether a typed character may join the tax number: digits, and a "-" that neither starts it,
    // follows another "-", goes beyond the length nor makes more than four.
    static bool NipKeyAccepted(const QString& text, QChar key);

    QLineEdit* Nip() const { return eNip_; }
    QLineEdit* Nip2() const { return eNip2_; }
    QPushButton* PrepareButton() const { return przygotuj_; }
    QPushButton* SaveButton() const { return btnZapiszNip_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* eNip_;
    QLineEdit* eNip2_;
    QPushButton* przygotuj_;
    QPushButton* btnZapiszNip_;
    QPushButton* zamknij_;
};

} // namespace nubra::service
