#include "TFormLogWindow.h"

#include <QFont>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "OemGlyphs.h"

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
    panelLayout->addWidget(sbStayOnTop_);
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
}

void TFormLogWindow::AddLogLine(const std::string& bytes) {
    if (!isVisible())
        return;
    pending_.append(OemGlyphs(bytes));
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
    mLog_->clear();
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
