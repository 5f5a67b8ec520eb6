#include "TFormPrint.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QVBoxLayout>

#include "DeviceText.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "RawPrintout.h"
#include "SaveFile.h"

namespace nubra::service {
namespace {

// Upper-case names as the printer's files were written, and the lower-case ones this system uses.
const QString kTxtFilter = QStringLiteral("*.TXT (*.TXT *.txt)");

QFont MemoFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

} // namespace

TFormPrint::TFormPrint(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Drukowanie"));

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("Plik"));
    file->addAction(QStringLiteral("Odczytaj plik.."), this, &TFormPrint::OpenFile);
    file->addAction(QStringLiteral("Zapisz plik.."), this, &TFormPrint::SaveAs);
    file->addSeparator();
    for (int n : {5, 10, 15})
        file->addAction(QStringLiteral("Wysuw %1x").arg(n), this, [this, n] {
            if (Send)
                Send({Feeds(n)});
        });
    file->addAction(QStringLiteral("Utnij papier"), this, [this] {
        if (Send)
            Send({std::string(1, kEnq)});
    });
    file->addSeparator();
    file->addAction(QStringLiteral("Drukuj"), this, &TFormPrint::Print);
    file->addSeparator();
    file->addAction(QStringLiteral("Wyjście"), this, &TFormPrint::reject);

    ruler_ = new QLabel(QStringLiteral("1234567890123456789012345678901234567890"), this);
    ruler_->setFont(MemoFont());
    ruler_->setStyleSheet(QStringLiteral("color: grey"));
    ruler_->setAccessibleName(QStringLiteral("Linijka: pierwsze 40 kolumn"));
    // The ruler's columns sit over the memo's text.
    ruler_->setContentsMargins(4, 0, 0, 0);
    memoFile_ = new QPlainTextEdit(this);
    memoFile_->setObjectName(QStringLiteral("MemoFile"));
    memoFile_->setFont(MemoFont());
    memoFile_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoFile_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoFile_->installEventFilter(this);
    ruler_->setBuddy(memoFile_);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ruler_);
    layout->addWidget(memoFile_, 1);
    layout->addWidget(new QStatusBar(this));
    resize(QFontMetrics(MemoFont()).horizontalAdvance(QString(48, QLatin1Char('0'))), 400);
}

QStringList TFormPrint::Lines() const {
    QString text = memoFile_->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

QAction* TFormPrint::MenuAction(const QString& caption) const {
    for (QAction* action : findChildren<QAction*>()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

bool TFormPrint::LoadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        app::ShowMessageBox(this, QMessageBox::Critical,
                            QStringLiteral("Błąd odczytu pliku ") + path + QStringLiteral("\n") +
                                file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    QString text = QString::fromUtf8(bytes);
    // Bytes that are not UTF-8 do not survive the round trip.
    utf8_ = text.toUtf8() == bytes;
    if (!utf8_)
        text = app::FromDevice(bytes.toStdString());
    memoFile_->setPlainText(text.remove(QLatin1Char('\r')));
    memoFile_->document()->setModified(false);
    setWindowTitle(path);
    return true;
}

bool TFormPrint::SaveFile(const QString& path) {
    QByteArray bytes;
    for (const QString& line : Lines())
        bytes += (utf8_ ? line.toUtf8() : QByteArray::fromStdString(app::ToDeviceAsIs(line))) + "\r\n";
    if (!app::SaveFile(this, path, bytes))
        return false;
    memoFile_->document()->setModified(false);
    setWindowTitle(path);
    return true;
}

void TFormPrint::OpenFile() {
    QFileDialog dialog(this, QString(), QString(), kTxtFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (app::DialogSeam::Current().Exec(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        LoadFile(dialog.selectedFiles().constFirst());
}

void TFormPrint::SaveAs() {
    QFileDialog dialog(this, QString(), QString(), kTxtFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("TXT"));
    if (app::DialogSeam::Current().Exec(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        SaveFile(dialog.selectedFiles().constFirst());
}

void TFormPrint::Print() {
    std::vector<std::string> lines;
    for (const QString& line : Lines())
        lines.push_back(app::ToDeviceAsIs(line));
    if (Send)
        Send(RawPrintout(lines));
}

void TFormPrint::done(int result) {
    if (memoFile_->document()->isModified()) {
        QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromUtf8(kUnsavedQuestion),
                        QMessageBox::Yes | QMessageBox::No, this);
        if (app::DialogSeam::Current().Exec(box) != QMessageBox::Yes)
            return;
    }
    QDialog::done(result);
}

bool TFormPrint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memoFile_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        const QString upper = typed.toUpper();
        if (!typed.isEmpty() && typed.at(0).isPrint() && upper != typed) {
            memoFile_->textCursor().insertText(upper);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace nubra::service
