// The header and footer actions of the main window. Header and footer text travels in Mazovia
// whatever the transmission code: the filters are removed (and stay removed; the actions that need
// them detect the code page again) and the text is converted here.
#include <QCheckBox>
#include <QLineEdit>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "DialogParts.h"
#include "DialogSeam.h"
#include "LineAlign.h"
#include "MessageBox.h"
#include "NubraError.h"
#include "SettingsWindows.h"
#include "TFormHeaderFooter.h"
#include "TFormMain.h"
#include "TNX3Class.h"
#include "TPanNaglowek.h"

namespace nubra::app {
namespace {

using settings::TPanNaglowek;

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The "ES" "S" flags: eight hexadecimal digits at positions 41-48.
std::uint32_t InfoFlags(const std::string& info) {
    const std::string digits = info.size() > 40 ? info.substr(40, 8) : std::string();
    std::uint32_t flags = 0;
    const char* end = digits.data() + digits.size();
    const auto [at, error] = std::from_chars(digits.data(), end, flags, 16);
    if (digits.empty() || error != std::errc() || at != end)
        throw nubra::Error("'" + digits + "' nie jest poprawną liczbą szesnastkową.");
    return flags;
}

std::string DeviceLine(const QLineEdit* edit, const std::string& where) {
    return TNX3Class::WindowsToMazovia(settings::ToDevice(edit->text(), where, DeviceCharset::Mazovia));
}

} // namespace

bool TFormMain::ReadHeaderLine(int lineNumber, QLineEdit* edit, QCheckBox* wideBox, QCheckBox* highBox) {
    nx3_->RemoveFilters();
    std::string text;
    bool wide = false, high = false;
    // An empty line frame is no refusal the link would explain.
    if (!settings::ReadOrSayWhy(
            *this, [&] { return nx3_->ReadHeaderLineCmd(lineNumber, text, wide, high); },
            "Nie udało się odczytać nagłówka: drukarka nie przekazała wiersza " + std::to_string(lineNumber) +
                "."))
        return false;
    const int length = wide ? TPanNaglowek::WideLength : TPanNaglowek::NarrowLength;
    edit->setMaxLength(length);
    edit->setText(settings::FromDevice(TNX3Class::MazoviaToWindows(TrimRight(text.substr(0, length)))));
    wideBox->setChecked(wide);
    highBox->setChecked(high);
    return true;
}

void TFormMain::CenterHeaderLine(QLineEdit* edit, bool wide) {
    const int length = wide ? TPanNaglowek::WideLength : TPanNaglowek::NarrowLength;
    edit->setMaxLength(length);
    edit->setText(settings::Centered(edit->text(), length));
}

void TFormMain::AGetSetHeaderExecute() {
    if (nx3_->PrinterType == -1)
        return;
    auto* pan = WindowAs<TPanNaglowek>(QStringLiteral("TPanNaglowek"));
    for (int line = 1; line <= TPanNaglowek::LineCount; ++line) {
        if (!ReadHeaderLine(line, pan->Edit(line), pan->WideBox(line), pan->HighBox(line)))
            return;
    }
    std::string info;
    if (!nx3_->GetDeviceInfo("S", info))
        return;
    // Bit 3: the printer takes the tax-number line.
    const bool nipAllowed = (InfoFlags(info) & 0x08) != 0;
    pan->cbWysylanieNIP()->setEnabled(nipAllowed);
    pan->cbWysylanieNIP()->setChecked(nipAllowed);
    pan->cbWysylanieNIPClick();
    if (DialogSeam::Current().Exec(*pan) == settings::mrOk)
        ShowMessageBox(this, QMessageBox::NoIcon, QStringLiteral("Nagłówek zastał zapisany do drukarki."));
}

void TFormMain::AGetSetFooterExecute() {
    if (nx3_->PrinterType == -1)
        return;
    nx3_->RemoveFilters();
    auto* form = WindowAs<settings::TFormHeaderFooter>(QStringLiteral("TFormHeaderFooter"));
    form->setWindowTitle(QStringLiteral("Stopka"));
    FooterLines lines;
    // A refused read leaves the lines as they were; the dialog opens all the same.
    if (nx3_->ReadFooter(lines)) {
        for (int n = 1; n <= settings::TFormHeaderFooter::LineCount; ++n)
            form->Line(n)->setText(settings::FromDevice(
                TNX3Class::MazoviaToWindows(TrimRight(lines[static_cast<std::size_t>(n - 1)]))));
    }
    if (DialogSeam::Current().Exec(*form) != settings::mrOk)
        return;
    for (int n = 1; n <= settings::TFormHeaderFooter::LineCount; ++n)
        lines[static_cast<std::size_t>(n - 1)] =
            DeviceLine(form->Line(n), "Wiersz " + std::to_string(n) + " stopki");
    nx3_->WriteFooter(lines);
}

} // namespace nubra::app

namespace nubra::settings {

void WriteHeader(app::TFormMain& main) {
    TNX3Class& nx3 = main.Nx3();
    auto* pan = main.WindowAs<TPanNaglowek>(QStringLiteral("TPanNaglowek"));
    // Every line that goes is checked before the first is written.
    const int last = pan->cbWysylanieNIP()->isChecked() ? TPanNaglowek::NipLine : TPanNaglowek::NipLine - 1;
    std::array<std::string, TPanNaglowek::LineCount> text;
    for (int line = 1; line <= last; ++line)
        text[static_cast<std::size_t>(line - 1)] =
            app::DeviceLine(pan->Edit(line), "Wiersz " + std::to_string(line) + " nagłówka");
    nx3.RemoveFilters();
    auto write = [&](int line) {
        return nx3.WriteHeaderLine(line, text[static_cast<std::size_t>(line - 1)],
                                   pan->WideBox(line)->isChecked(), pan->HighBox(line)->isChecked());
    };
    for (int line = 1; line < TPanNaglowek::NipLine; ++line) {
        if (!write(line))
            return;
    }
    if (pan->cbWysylanieNIP()->isChecked() && !write(TPanNaglowek::NipLine))
        return;
    if (pan->cbWydrukKontrolny()->isChecked() && !nx3.TestPrint())
        return;
    // The window closes only when everything went through; after a refusal it stays open.
    pan->done(mrOk);
}

} // namespace nubra::settings
