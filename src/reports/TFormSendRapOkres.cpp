#include "TFormSendRapOkres.h"

#include <QFontDatabase>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace nubra::reports {

bool TransferCancelled = false;

TFormSendRapOkres::TFormSendRapOkres(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormSendRapOkres"));
    setWindowTitle(QStringLiteral("Przesyłanie raportu okresowego..."));

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("M_RapOkr"));
    memo_->setAccessibleName(QStringLiteral("Ostatnie przesłane wiersze raportu"));
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The focus belongs to "Zakończ": it never stops on the memo.
    memo_->setFocusPolicy(Qt::NoFocus);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    memo_->setFont(courier);
    QPalette colours = memo_->palette();
    colours.setColor(QPalette::Base, Qt::gray);
    colours.setColor(QPalette::Text, Qt::white);
    memo_->setPalette(colours);
    const QFontMetrics metrics(courier);
    memo_->setFixedSize(metrics.horizontalAdvance(QString(LineWidth + 2, QLatin1Char('W'))),
                        metrics.lineSpacing() * (ShownLines + 1));

    btnZakoncz_ = new QPushButton(QStringLiteral("Zakończ"), this);
    btnZakoncz_->setObjectName(QStringLiteral("Btn_Zakoncz"));
    btnZakoncz_->setDefault(true);
    connect(btnZakoncz_, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(memo_);
    layout->addWidget(btnZakoncz_, 0, Qt::AlignHCenter);
}

void TFormSendRapOkres::Clear() {
    memo_->clear();
}

void TFormSendRapOkres::AddLine(const QString& line) {
    QTextDocument* text = memo_->document();
    if (!text->isEmpty() && text->blockCount() >= ShownLines) {
        QTextCursor first(text->firstBlock());
        first.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        first.removeSelectedText();
    }
    memo_->appendPlainText(line);
    emit lineAdded(line);
}

void TFormSendRapOkres::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // Hidden with a minimised main window is not closed.
    if (!event->spontaneous())
        TransferCancelled = true;
}

} // namespace nubra::reports
