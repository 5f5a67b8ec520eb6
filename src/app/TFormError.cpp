#include "TFormError.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>

#include "DialogSeam.h"
#include "MessageBox.h"

namespace nubra::app {

const QString TFormError::Caption =
    QStringLiteral("                       Podczas wykonywania żądanej operacji wystąpił błąd!");

TFormError::TFormError(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormError"));
    setWindowTitle(Caption);
    setFont(QFont(QStringLiteral("Tahoma")));
    setFixedSize(566, 102);

    auto* icon = new QLabel(this);
    icon->setGeometry(8, 8, 32, 32);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));

    mBlad_ = new QTextEdit(this);
    mBlad_->setObjectName(QStringLiteral("M_Blad"));
    mBlad_->setReadOnly(true);
    mBlad_->setFrameShape(QFrame::NoFrame);
    mBlad_->setGeometry(56, 8, 493, 44);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(15);
    mBlad_->setFont(font);
    QPalette pal = mBlad_->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    pal.setColor(QPalette::Text, QColor(0x80, 0x00, 0x00));
    mBlad_->setPalette(pal);
    mBlad_->installEventFilter(this);

    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("Btn_Ok"));
    btnOk_->setDefault(true);
    btnOk_->setGeometry((566 - 75) / 2, 66, 75, 25);
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormError::ShowError(const QString& text) {
    mBlad_->clear();
    mBlad_->setPlainText(ProgramText(text));
    QTextCursor all(mBlad_->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    btnOk_->setFocus();
    DialogSeam::Current().Exec(*this);
}

QString TFormError::Text() const {
    return mBlad_->toPlainText();
}

bool TFormError::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mBlad_ && event->type() == QEvent::FocusIn)
        M_BladEnter();
    return QDialog::eventFilter(watched, event);
}

void TFormError::M_BladEnter() {
    btnOk_->setFocus();
}

} // namespace nubra::app
