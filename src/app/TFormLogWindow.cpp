#include "TFormLogWindow.h"

#include <QFileDialog>
#include <QFont>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "DialogSeam.h"
#include "MessageBox.h"
#include "OemGlyphs.h"
#include "SaveFile.h"

namespace nubra::app {
namespace {

QToolButton* PanelButton(QWidget* parent, const char* name, const QString& text, bool toggle) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setAutoRaise(true);
    b->setCheckable(toggle);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

} // namespace

TFormLogWindow::TFormLogWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormLogWindow"));
    setWindowTitle(QStringLiteral("Podgląd danych"));
    setFont(QFont(QStringLiteral("Tahoma")));
    resize(469, 282);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(24);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(2, 0, 2, 0);
    panelLayout->setSpacing(2);
    speedButton1_ = PanelButton(panel, "SpeedButton1", QStringLiteral("Wyczyść"), false);
    sbWordWrap_ = PanelButton(panel, "SB_WordWrap", QStringLiteral("Zawijanie wierszy"), true);
    sbStayOnTop_ = PanelButton(panel, "SB_StayOnTop", QStringLiteral("Zawsze na wierzchu"), true);
    panelLayout->addWidget(speedButton1_);
    panelLayout->addWidget(sbWordWrap_);
    sbSave_ = PanelButton(panel, "SB_Save", QStringLiteral("Zapisz do pliku..."), false);
    sbDescriptions_ = PanelButton(panel, "SB_Descriptions", QStringLiteral("Opisy rozkazów"), true);
    sbTime_ = PanelButton(panel, "SB_Time", QStringLiteral("Czas"), true);
    panelLayout->addWidget(sbStayOnTop_);
    panelLayout->addWidget(sbSave_);
    panelLayout->addWidget(sbDescriptions_);
    panelLayout->addWidget(sbTime_);
    panelLayout->addStretch(1);

    mLog_ = new QPlainTextEdit(this);
    mLog_->setObjectName(QStringLiteral("M_Log"));
    mLog_->setReadOnly(true);
    mLog_->setUndoRedoEnabled(false);
    mLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
    mLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(12);
    mLog_->setFont(mono);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(mLog_, 1);

    flushTimer_ = new QTimer(this);
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(0);
    connect(flushTimer_, &QTimer::timeout, this, &TFormLogWindow::FlushPending);
    connect(speedButton1_, &QToolButton::clicked, this, &TFormLogWindow::SpeedButton1Click);
    connect(sbWordWrap_, &QToolButton::clicked, this, &TFormLogWindow::SB_WordWrapClick);
    connect(sbStayOnTop_, &QToolButton::clicked, this, &TFormLogWindow::SB_StayOnTopClick);
    connect(sbSave_, &QToolButton::clicked, this, &TFormLogWindow::SB_SaveClick);
    connect(sbDescriptions_, &QToolButton::clicked, this, &TFormLogWindow::Redraw);
    connect(sbTime_, &QToolButton::clicked, this, &TFormLogWindow::Redraw);
}

void TFormLogWindow::AddLogLine(const std::string& bytes) {
    if (!isVisible())
        return;
    entries_.push_back({LogClock::now(), bytes, annotator_.Note(bytes)});
    pending_.append(Shown(entries_.back()));
    if (!flushTimer_->isActive())
        flushTimer_->start();
}

void TFormLogWindow::FlushPending() {
    if (pending_.isEmpty())
        return;
    mLog_->appendPlainText(pending_.join(QLatin1Char('\n')));
    pending_.clear();
}

QStringList TFormLogWindow::Lines() {
    FlushPending();
    if (mLog_->document()->isEmpty())
        return {};
    return mLog_->toPlainText().split(QLatin1Char('\n'));
}

void TFormLogWindow::SpeedButton1Click() {
    pending_.clear();
    entries_.clear();
    mLog_->clear();
}

LogStyle TFormLogWindow::Style() const {
    return {.time = sbTime_->isChecked(), .notes = sbDescriptions_->isChecked()};
}

QString TFormLogWindow::Shown(const LogEntry& entry) const {
    const LogStyle style = Style();
    return QString::fromStdString(LogPrefix(entry, style)) + OemGlyphs(entry.bytes) +
           QString::fromStdString(LogSuffix(entry, style));
}

void TFormLogWindow::Redraw() {
    pending_.clear();
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(entries_.size()));
    for (const LogEntry& entry : entries_)
        lines.append(Shown(entry));
    mLog_->setPlainText(lines.join(QLatin1Char('\n')));
}

std::string TFormLogWindow::SavedText() const {
    const LogStyle style = Style();
    std::string text;
    for (const LogEntry& entry : entries_)
        text += LogLine(entry, style) + "\n";
    return text;
}

bool TFormLogWindow::SaveLog(const QString& path) {
    const std::string text = SavedText();
    return SaveFile(this, path, QByteArray::fromStdString(text));
}

void TFormLogWindow::SB_SaveClick() {
    QFileDialog dialog(this, QStringLiteral("Zapisz do pliku"), QString(),
                       QStringLiteral("Pliki tekstowe (*.txt);;Wszystkie pliki (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (DialogSeam::Current().Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SaveLog(dialog.selectedFiles().constFirst());
}

void TFormLogWindow::SB_WordWrapClick() {
    mLog_->setLineWrapMode(sbWordWrap_->isChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TFormLogWindow::SB_StayOnTopClick() {
    const bool wasVisible = isVisible();
    // Changing the window flags recreates the native window, which hides it.
    setWindowFlag(Qt::WindowStaysOnTopHint, sbStayOnTop_->isChecked());
    if (wasVisible)
        show();
}

} // namespace nubra::app
