#include "TLinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace nubra::app {

TLinkLabel::TLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    setPalette(pal);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(text);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

namespace {

bool Activates(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space;
}

} // namespace

void TLinkLabel::keyPressEvent(QKeyEvent* event) {
    if (Activates(event)) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

// The release of the key that opened the link is the link's too: the window around it must not take
// it for an answer and close.
void TLinkLabel::keyReleaseEvent(QKeyEvent* event) {
    if (Activates(event)) {
        event->accept();
        return;
    }
    QLabel::keyReleaseEvent(event);
}

} // namespace nubra::app
