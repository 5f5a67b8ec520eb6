#pragma once
// "Nagłówek": the three header lines and the tax-number line with their print attributes, a header
// file to load from or save to, and the write to the printer. "Zapisz do drukarki" and "Centruj" only
// signal; the main window talks to the printer and closes the window with OK once everything is
// written.
#include <QDialog>
#include <array>

class QCheckBox;
class QFileDialog;
class QLineEdit;
class QPushButton;

namespace nubra::app {
class TBrixBitBtn;
}

namespace nubra::settings {

class TPanNaglowek : public QDialog {
    Q_OBJECT
public:
    static constexpr int LineCount = 4; // lines 1-3 and the tax-number line
    static constexpr int NipLine = 4;
    static constexpr int NarrowLength = 40;
    static constexpr int WideLength = 20;

    explicit TPanNaglowek(QWidget* parent = nullptr);

    // line 1..3 = eLinia1..eLinia3 with cbSzeroki1..3 and cbWysoki1..3; 4 = eNIP, cbSzerokiNIP, cbWysokiNIP.
    QLineEdit* Edit(int line) const { return Row(line).edit; }
    QCheckBox* WideBox(int line) const { return Row(line).wide; }
    QCheckBox* HighBox(int line) const { return Row(line).high; }
    QCheckBox* cbWysylanieNIP() const { return cbWysylanieNIP_; }
    QCheckBox* cbWydrukKontrolny() const { return cbWydrukKontrolny_; }
    QPushButton* kbCentruj() const { return kbCentruj_; }
    QPushButton* kbZapiszDoDrukarki() const { return kbZapiszDoDrukarki_; }
    QPushButton* kbAnuluj() const { return kbAnuluj_; }
    QPushButton* kbZapiszDoPliku() const { return kbZapiszDoPliku_; }
    QPushButton* kbOdczytajZPliku() const { return kbOdczytajZPliku_; }
    app::TBrixBitBtn* BtnListVars() const { return btnListVars_; }
    // The open and save dialogs, made at their first use: each reads its folder when made.
    QFileDialog* oPlik();
    QFileDialog* zPlik();

    // The line's length limit from its wide box: 20 or 40; the text is cut to it, trailing spaces go.
    void ApplyWidth(int line);
    // eNIP and its boxes are usable exactly when "zapis NIP" is checked.
    void cbWysylanieNIPClick();
    void kbZapiszDoPlikuClick();
    void kbOdczytajZPlikuClick();

signals:
    void writeClicked();
    void centreClicked();

private:
    struct LineRow {
        QLineEdit* edit = nullptr;
        QCheckBox* wide = nullptr;
        QCheckBox* high = nullptr;
    };
    const LineRow& Row(int line) const { return rows_.at(static_cast<std::size_t>(line - 1)); }
    void FileError(const char* before, const QString& fileName, const char* after);

    std::array<LineRow, LineCount> rows_{};
    QCheckBox* cbWysylanieNIP_;
    QCheckBox* cbWydrukKontrolny_;
    QPushButton* kbCentruj_;
    QPushButton* kbZapiszDoDrukarki_;
    QPushButton* kbAnuluj_;
    QPushButton* kbZapiszDoPliku_;
    QPushButton* kbOdczytajZPliku_;
    app::TBrixBitBtn* btnListVars_;
    QFileDialog* oPlik_ = nullptr;
    QFileDialog* zPlik_ = nullptr;
};

} // namespace nubra::settings
