#include "TFormHeaderFooter.h"

#include <QFormLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "LineAlign.h"

namespace nubra::settings {

TFormHeaderFooter::TFormHeaderFooter(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    QFont fixed(QStringLiteral("Courier New CE"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    auto* form = new QFormLayout;
    for (int n = 1; n <= LineCount; ++n) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("E_Line%1").arg(n));
        edit->setMaxLength(LineLength);
        edit->setFont(fixed);
        edit->setMinimumWidth(
            QFontMetrics(fixed).horizontalAdvance(QString(LineLength + 1, QLatin1Char('W'))));
        lines_[static_cast<std::size_t>(n - 1)] = edit;
        form->addRow(BuddyLabel(QStringLiteral("Linia %1:").arg(n), edit, this), edit);
    }
    auto tool = [this](const char* name, const char* hint, const char* icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        SetHint(b, QString::fromUtf8(hint));
        // The caption is the accessible name; it shows where the desktop has no alignment picture.
        b->setText(b->toolTip());
        b->setIcon(QIcon::fromTheme(QString::fromLatin1(icon)));
        b->setToolButtonStyle(b->icon().isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
        b->setAutoRaise(true);
        return b;
    };
    sbJustLeft_ = tool("SB_JustLeft", "Do lewej|Wyrównuje wybraną linię do lewej", "format-justify-left");
    sbCenter_ = tool("SB_Center", "Wyśrodkuj|Wyśrodkowyje wybraną linię", "format-justify-center");
    sbJustRight_ =
        tool("SB_JustRight", "Do prawej|Wyrównuje wybraną linię do prawej", "format-justify-right");
    connect(sbJustLeft_, &QToolButton::clicked, this, &TFormHeaderFooter::SB_JustLeftClick);
    connect(sbCenter_, &QToolButton::clicked, this, &TFormHeaderFooter::SB_CenterClick);
    connect(sbJustRight_, &QToolButton::clicked, this, &TFormHeaderFooter::SB_JustRightClick);

    buttonOk_ = ResultButton(this, "ButtonOK", QStringLiteral("Ustaw"), mrOk);
    buttonOk_->setDefault(true);
    SetHint(buttonOk_, QStringLiteral("Zmień nagłówek/stopkę"));
    buttonAnuluj_ = ResultButton(this, "ButtonAnuluj", QStringLiteral("Anuluj"), mrCancel);
    SetHint(buttonAnuluj_, QStringLiteral("Anuluj ustawienie nagłówka/stopki"));

    // The lines first; the alignment buttons after them.
    setTabOrder(Line(LineCount), sbJustLeft_);
    setTabOrder(sbJustLeft_, sbCenter_);
    setTabOrder(sbCenter_, sbJustRight_);
    setTabOrder(sbJustRight_, buttonOk_);

    auto* align = new QHBoxLayout;
    align->addWidget(sbJustLeft_);
    align->addWidget(sbCenter_);
    align->addWidget(sbJustRight_);
    align->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(align);
    layout->addLayout(form);
    layout->addLayout(ButtonRow({buttonOk_, buttonAnuluj_}));
}

void TFormHeaderFooter::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    buttonAnuluj_->setFocus();
}

QLineEdit* TFormHeaderFooter::FocusedLine() const {
    // The window's own focus widget: the alignment buttons do not take the focus from the line.
    QWidget* focused = focusWidget();
    for (int n = 1; n < LineCount; ++n) {
        if (focused == Line(n))
            return Line(n);
    }
    return Line(LineCount);
}

void TFormHeaderFooter::SB_JustLeftClick() {
    QLineEdit* line = FocusedLine();
    line->setText(TrimLeft(line->text()));
}

void TFormHeaderFooter::SB_CenterClick() {
    QLineEdit* line = FocusedLine();
    line->setText(Centered(line->text(), LineLength));
}

void TFormHeaderFooter::SB_JustRightClick() {
    QLineEdit* line = FocusedLine();
    line->setText(RightAligned(line->text(), LineLength));
}

} // namespace nubra::settings
