#include "TPanNaglowek.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "DialogParts.h"
#include "DialogSeam.h"
#include "HeaderFile.h"
#include "LineAlign.h"
#include "MessageBox.h"
#include "SaveFile.h"
#include "TBrixBitBtn.h"

namespace nubra::settings {
namespace {

const char* const kLabels[] = {"Linia 1", "Linia 2:", "Linia 3:", "NIP:"};
const char* const kSuffixes[] = {"1", "2", "3", "NIP"};

// The file or its folder could not be reached, as against a write that failed on the way (a full disk).
bool NotOpened(const std::error_code& reason) {
    using std::errc;
    for (const errc e : {errc::permission_denied, errc::operation_not_permitted,
                         errc::no_such_file_or_directory, errc::not_a_directory, errc::is_a_directory,
                         errc::read_only_file_system, errc::filename_too_long, errc::too_many_files_open})
        if (reason == e)
            return true;
    return false;
}

QFileDialog* HeaderFileDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(QStringLiteral("hdr"));
    dialog->setNameFilter(QStringLiteral("Pliki nagłówka (*.hdr)"));
    return dialog;
}

// The chosen file, or empty when the dialog was cancelled.
QString ChooseFile(QFileDialog& dialog) {
    if (app::DialogSeam::Current().Exec(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

TPanNaglowek::TPanNaglowek(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Nagłówek"));
    auto* grid = new QGridLayout;
    for (int line = 1; line <= LineCount; ++line) {
        const QString suffix = QString::fromLatin1(kSuffixes[line - 1]);
        LineRow& row = rows_[static_cast<std::size_t>(line - 1)];
        row.edit = new QLineEdit(this);
        row.edit->setObjectName(line == NipLine ? QStringLiteral("eNIP") : QStringLiteral("eLinia") + suffix);
        row.edit->setMaxLength(NarrowLength);
        row.wide = new QCheckBox(QStringLiteral("20 znaków w linii"), this);
        row.wide->setObjectName(QStringLiteral("cbSzeroki") + suffix);
        row.high = new QCheckBox(QStringLiteral("wysoki generator"), this);
        row.high->setObjectName(QStringLiteral("cbWysoki") + suffix);
        grid->addWidget(BuddyLabel(QString::fromUtf8(kLabels[line - 1]), row.edit, this), line - 1, 0);
        grid->addWidget(row.edit, line - 1, 1);
        grid->addWidget(row.wide, line - 1, 2);
        grid->addWidget(row.high, line - 1, 3);
        connect(row.wide, &QCheckBox::clicked, this, [this, line] { ApplyWidth(line); });
    }
    grid->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QLatin1Char('W')) * NarrowLength / 2);
    WideBox(NipLine)->setEnabled(false);
    HighBox(NipLine)->setEnabled(false);

    cbWysylanieNIP_ = new QCheckBox(QStringLiteral("zapis NIP"), this);
    cbWysylanieNIP_->setObjectName(QStringLiteral("cbWysylanieNIP"));
    cbWydrukKontrolny_ = new QCheckBox(QStringLiteral("wydruk kontrolny po zapisie"), this);
    cbWydrukKontrolny_->setObjectName(QStringLiteral("cbWydrukKontrolny"));
    cbWydrukKontrolny_->setChecked(true);
    connect(cbWysylanieNIP_, &QCheckBox::clicked, this, &TPanNaglowek::cbWysylanieNIPClick);

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    kbCentruj_ = button("kbCentruj", "Centruj");
    kbZapiszDoDrukarki_ = button("kbZapiszDoDrukarki", "Zapisz do drukarki");
    kbAnuluj_ = button("kbAnuluj", "Anuluj");
    kbAnuluj_->setDefault(true);
    kbZapiszDoPliku_ = button("kbZapiszDoPliku", "Zapisz do pliku");
    kbOdczytajZPliku_ = button("kbOdczytajZPliku", "Odczytaj z pliku");
    connect(kbCentruj_, &QPushButton::clicked, this, &TPanNaglowek::centreClicked);
    connect(kbZapiszDoDrukarki_, &QPushButton::clicked, this, &TPanNaglowek::writeClicked);
    connect(kbAnuluj_, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(kbZapiszDoPliku_, &QPushButton::clicked, this, &TPanNaglowek::kbZapiszDoPlikuClick);
    connect(kbOdczytajZPliku_, &QPushButton::clicked, this, &TPanNaglowek::kbOdczytajZPlikuClick);

    // Kept outside the visible area, without an action, as the window always had it.
    btnListVars_ = new app::TBrixBitBtn(QStringLiteral("Lista zmiennych"), this);
    btnListVars_->setObjectName(QStringLiteral("BtnListVars"));
    btnListVars_->SetTransparent(true);
    btnListVars_->SetFocusedColor(Qt::black);
    btnListVars_->setFocusPolicy(Qt::NoFocus);
    SetHint(btnListVars_, QStringLiteral("Lista zmiennych, które przechowują dane odczytane z drukarki"));
    btnListVars_->move(-100, -100);

    auto* options = new QHBoxLayout;
    options->addWidget(cbWysylanieNIP_);
    options->addWidget(cbWydrukKontrolny_);
    options->addStretch(1);
    auto* files = new QHBoxLayout;
    files->addWidget(kbZapiszDoPliku_);
    files->addWidget(kbOdczytajZPliku_);
    files->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addLayout(options);
    layout->addLayout(files);
    layout->addLayout(ButtonRow({kbCentruj_, kbZapiszDoDrukarki_, kbAnuluj_}));
    // Tab follows the rows on the screen: lines, options, files, then the closing buttons.
    setTabOrder(cbWydrukKontrolny_, kbZapiszDoPliku_);
    setTabOrder(kbZapiszDoPliku_, kbOdczytajZPliku_);
    setTabOrder(kbOdczytajZPliku_, kbCentruj_);
    cbWysylanieNIPClick();
}

QFileDialog* TPanNaglowek::oPlik() {
    if (!oPlik_)
        oPlik_ = HeaderFileDialog(this, "oPlik", QFileDialog::AcceptOpen);
    return oPlik_;
}

QFileDialog* TPanNaglowek::zPlik() {
    if (!zPlik_)
        zPlik_ = HeaderFileDialog(this, "zPlik", QFileDialog::AcceptSave);
    return zPlik_;
}

void TPanNaglowek::ApplyWidth(int line) {
    QLineEdit* edit = Edit(line);
    const int length = WideBox(line)->isChecked() ? WideLength : NarrowLength;
    edit->setMaxLength(length);
    edit->setText(TrimRight(edit->text().left(length)));
}

void TPanNaglowek::cbWysylanieNIPClick() {
    const bool on = cbWysylanieNIP_->isChecked();
    Edit(NipLine)->setEnabled(on);
    WideBox(NipLine)->setEnabled(on);
    HighBox(NipLine)->setEnabled(on);
}

void TPanNaglowek::FileError(const char* before, const QString& fileName, const char* after) {
    app::ShowMessageBox(this, QMessageBox::Critical,
                        QString::fromUtf8(before) + QDir::toNativeSeparators(fileName) +
                            QString::fromUtf8(after));
}

void TPanNaglowek::kbZapiszDoPlikuClick() {
    const QString fileName = ChooseFile(*zPlik());
    if (fileName.isEmpty())
        return;
    HeaderFileLines lines;
    for (int line = 1; line <= LineCount; ++line) {
        lines[static_cast<std::size_t>(line - 1)] = {ToDeviceAsIs(Edit(line)->text()),
                                                     WideBox(line)->isChecked(), HighBox(line)->isChecked()};
    }
    // Written beside the old file and put in its place only when complete: a failure leaves it whole.
    std::error_code reason;
    if (!app::WriteWholeFile(fileName, QByteArray::fromStdString(FormatHeaderFile(lines)), &reason)) {
        if (NotOpened(reason))
            FileError("Otwarcie pliku ", fileName, " nie powiodło się.");
        else
            FileError("Zapis do pliku ", fileName, " nie powiódł się.");
    }
}

void TPanNaglowek::kbOdczytajZPlikuClick() {
    const QString fileName = ChooseFile(*oPlik());
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        FileError("Otwarcie pliku ", fileName, " nie powiodło się.");
        return;
    }
    for (int line = 1; line <= LineCount; ++line) {
        QByteArray bytes = file.readLine(1024);
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        const auto parsed = ParseHeaderFileLine(std::string_view(bytes.constData(), bytes.size()));
        if (!parsed) {
            // The lines read so far keep their new values.
            FileError("Odczyt z pliku ", fileName, " nie powiódł się.");
            return;
        }
        // The text goes to the printer in Mazovia as it stands: a control byte or a character Mazovia
        // lacks is refused here, naming it, rather than sent as another letter.
        if (const std::string fault = TextFault(parsed->text, false, DeviceCharset::Mazovia);
            !fault.empty()) {
            const std::string where = ": wiersz " + std::to_string(line) + ": " + fault + ".";
            FileError("Odczyt z pliku ", fileName, (" nie powiódł się" + where).c_str());
            return;
        }
        WideBox(line)->setChecked(parsed->wide);
        HighBox(line)->setChecked(parsed->high);
        ApplyWidth(line);
        // A wide line keeps all of its text from the file; the limit holds for typing.
        QLineEdit* edit = Edit(line);
        const QString text = FromDevice(parsed->text);
        edit->setMaxLength(std::max<int>(edit->maxLength(), static_cast<int>(text.size())));
        edit->setText(text);
    }
}

} // namespace nubra::settings
