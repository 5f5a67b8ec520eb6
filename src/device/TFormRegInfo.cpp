#include "TFormRegInfo.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMoveEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <string>

#include "ControlTag.h"
#include "MessageBox.h"
#include "ProfileFile.h"
#include "ProgramState.h"
#include "StatusGlyphs.h"
#include "TFormMain.h"
#include "TNX3Class.h"

namespace nubra::app {
namespace {

const char* const RegInfoSection = "FORM REGINF";

// Column headings, as the program writes them ("\r\n" line ends).
const char* const Headings[] = {
    "numer\r\ntrans.",
    "status\r\ntrans.",
    "Tr.\r\nwal.",
    "wydruk dokumentu\r\n|",
    "wartość ostatniej sprzedaży ",
    "limit sprzedaży",
};

QString Numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QString::number(n);
}

} // namespace

TFormRegInfo::TFormRegInfo(TFormMain& main, QWidget* parent)
    : QMdiSubWindow(parent), main_(main), imageList_(StatusGlyphs()) {
    setWindowTitle(QStringLiteral("Status"));
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    setFont(QFont(QStringLiteral("Tahoma")));

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(8, 6, 8, 8);
    BuildRows(content);

    auto* lamps = new QHBoxLayout;
    ledOfl_ = MakeLamp(content, "SB_LedOfl", QStringLiteral("Kasa gotowa"), QColor(0x20, 0xd0, 0x20));
    ledPre_ = MakeLamp(content, "SB_LedPre", QStringLiteral("Prezenter"), QColor(0x20, 0xd0, 0x20));
    ledNep_ = MakeLamp(content, "SB_LedNep", QStringLiteral("Papier"), QColor(0x20, 0xd0, 0x20));
    ledMop_ = MakeLamp(content, "SB_LedMop", QStringLiteral("Ruch papieru"), QColor(0x20, 0xd0, 0x20));
    ledServ_ = MakeLamp(content, "SB_LedServ", QStringLiteral("    Serwis"), QColor(0xe0, 0x20, 0x20));
    for (QToolButton* lamp : {ledOfl_, ledPre_, ledNep_, ledMop_, ledServ_})
        lamps->addWidget(lamp);
    lamps->addStretch(1);
    sbRefresh_ = new QPushButton(QStringLiteral("Odśwież status"), content);
    sbRefresh_->setObjectName(QStringLiteral("SB_Refresh"));
    connect(sbRefresh_, &QPushButton::clicked, this, &TFormRegInfo::AGetExtStatusExecute);
    lamps->addWidget(sbRefresh_);
    layout->addLayout(lamps);
    content->setFixedSize(content->sizeHint());
    setWidget(content);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setInterval(TimerInterval);
    connect(timer_, &QTimer::timeout, this, &TFormRegInfo::TimerTimer);
    timer_->start();
}

TFormRegInfo::~TFormRegInfo() = default;

void TFormRegInfo::BuildRows(QWidget* content) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    for (int column = 0; column < 6; ++column) {
        auto* heading = new QLabel(ProgramText(std::string(Headings[column])), content);
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(heading, 0, column + 1);
    }
    const QFontMetrics metrics(font());
    for (int n = 1; n <= RegisterCount; ++n) {
        RowControls& row = rows_[static_cast<std::size_t>(n - 1)];
        auto* caption = new QLabel(QStringLiteral("Rejestr %1:").arg(n), content);
        row.tranNo = new QLabel(content);
        row.tranNo->setObjectName(Numbered("L_TranNo", n));
        row.tranNo->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("000000")));
        row.tranNo->setAlignment(Qt::AlignCenter);
        SetTag(row.tranNo, 0);

        row.tran = new QToolButton(content);
        row.tran->setObjectName(Numbered("SB_Tran", n));
        row.tran->setAutoRaise(true);
        row.tran->setFixedSize(23, 22);
        row.tran->setIconSize(QSize(StatusGlyphSize, StatusGlyphSize));
        row.tran->setAccessibleName(QStringLiteral("Rejestr %1").arg(n));
        row.tran->setProperty("glyph", -1);
        SetTag(row.tran, 256 * n);
        connect(row.tran, &QToolButton::clicked, this, [this, button = row.tran] { SB_RegClick(button); });

        row.currency = new QLabel(content);
        row.currency->setObjectName(Numbered("lbl_Waluta", n));
        row.currency->setAlignment(Qt::AlignCenter);

        row.print = new QToolButton(content);
        row.print->setObjectName(Numbered("SB_Wydr", n));
        row.print->setAutoRaise(true);
        row.print->setIcon(PrintIcon());
        row.print->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        row.print->setAccessibleName(QStringLiteral("Wydruk dokumentu z rejestru %1").arg(n));
        row.print->setEnabled(false);
        SetTag(row.print, n);
        connect(row.print, &QToolButton::clicked, this, [this, button = row.print] { SB_WydrClick(button); });

        row.sale = new QLabel(content);
        row.sale->setObjectName(Numbered("L_Sale", n));
        row.sale->setMinimumWidth(
            metrics.horizontalAdvance(QStringLiteral("000000000,00 (Ptu:000000000,00)")));

        row.limit = new QLabel(content);
        row.limit->setObjectName(Numbered("L_Limit", n));
        row.limit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.limit->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("limit sprzedaży")));
        SetTag(row.limit, 0);

        grid->addWidget(caption, n, 0);
        grid->addWidget(row.tranNo, n, 1);
        grid->addWidget(row.tran, n, 2, Qt::AlignCenter);
        grid->addWidget(row.currency, n, 3);
        grid->addWidget(row.print, n, 4, Qt::AlignCenter);
        grid->addWidget(row.sale, n, 5);
        grid->addWidget(row.limit, n, 6);
    }
    static_cast<QVBoxLayout*>(content->layout())->addLayout(grid);
}

QToolButton* TFormRegInfo::MakeLamp(QWidget* parent, const char* name, const QString& caption,
                                    const QColor& lit) {
    auto* lamp = new QToolButton(parent);
    lamp->setObjectName(QString::fromLatin1(name));
    lamp->setText(caption);
    lamp->setAccessibleName(caption.trimmed());
    lamp->setIcon(LampIcon(lit));
    lamp->setIconSize(QSize(StatusGlyphSize, StatusGlyphSize));
    lamp->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    lamp->setAutoRaise(true);
    lamp->setFocusPolicy(Qt::NoFocus);
    lamp->setEnabled(false);
    SetTag(lamp, 0);
    return lamp;
}

int TFormRegInfo::StatusGlyph(int n) const {
    return Row(n).tran->property("glyph").toInt();
}

void TFormRegInfo::ClearStatusGlyph(int n) {
    QToolButton* button = Row(n).tran;
    button->setIcon(QIcon());
    button->setProperty("glyph", -1);
    button->setAccessibleDescription(QString());
}

void TFormRegInfo::SetStatusGlyph(int n, int index) {
    if (index < 0 || index >= static_cast<int>(imageList_.size())) {
        ClearStatusGlyph(n);
        return;
    }
    QToolButton* button = Row(n).tran;
    button->setIcon(QIcon(imageList_[static_cast<std::size_t>(index)]));
    button->setProperty("glyph", index);
    button->setAccessibleDescription(StatusGlyphName(index));
}

void TFormRegInfo::FormCreate() {
    ProfileFile& ini = main_.Config();
    move(ini.ReadInteger(RegInfoSection, "Left", DesignLeft),
         ini.ReadInteger(RegInfoSection, "Top", DesignTop));
    normalPos_ = pos();
}

void TFormRegInfo::WriteConfig(ProfileFile& ini) const {
    const QPoint at = isMinimized() ? normalPos_ : pos();
    ini.WriteInteger(RegInfoSection, "Left", at.x());
    ini.WriteInteger(RegInfoSection, "Top", at.y());
}

void TFormRegInfo::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    // The client area lines the icons up along its bottom; that is not the window's place.
    if (!isMinimized())
        normalPos_ = pos();
}

void TFormRegInfo::AGetExtStatusExecute() {
    main_.RunAction([this] {
        if (main_.Nx3().PrinterType == -1)
            return;
        main_.AGetExtStatusExecute();
        if (!ServiceError)
            main_.AGetRegInfoExecute();
    });
}

void TFormRegInfo::TimerTimer() {
    if (Tag(ledNep_) != 0)
        ledNep_->setEnabled(!ledNep_->isEnabled());
    else
        ledNep_->setEnabled(true);
    if (Tag(ledServ_) != 0)
        ledServ_->setEnabled(!ledServ_->isEnabled());
    else
        ledServ_->setEnabled(false);
}

void TFormRegInfo::RunMainAction(const char* name) {
    // Through the action, so a wait in progress refuses it and an error is shown in one place.
    if (QAction* action = main_.Action(QString::fromLatin1(name)))
        action->trigger();
}

void TFormRegInfo::SB_RegClick(QObject* sender) {
    const int tag = Tag(sender);
    CurrentRegister = (tag >> 8) & 0xFF;
    RunMainAction((tag & 0xFF) != 0 ? "ARegisterSell" : "AStartTrans");
}

void TFormRegInfo::SB_WydrClick(QObject* sender) {
    CurrentRegister = Tag(sender);
    RunMainAction("APrintDoc");
}

void TFormRegInfo::closeEvent(QCloseEvent* event) {
    event->ignore();
    showMinimized();
}

QWidget* CreateFormRegInfo(TFormMain& main) {
    auto* form = new TFormRegInfo(main);
    main.MdiArea()->addSubWindow(form);
    // The frame's size is known only inside the client area.
    form->adjustSize();
    form->setFixedSize(form->size());
    form->FormCreate();
    form->show();
    main.SetRegInfoConfigWriter([form = QPointer<TFormRegInfo>(form)](ProfileFile& ini) {
        if (form)
            form->WriteConfig(ini);
    });
    return form;
}

TFormRegInfo* FormRegInfo(const TFormMain& main) {
    return main.WindowAs<TFormRegInfo>(QStringLiteral("TFormRegInfo"));
}

} // namespace nubra::app
