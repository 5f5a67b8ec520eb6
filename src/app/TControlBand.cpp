#include "TControlBand.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>

#include "TControlBar.h"

namespace nubra::app {

TControlBand::TControlBand(QToolBar* bar, TControlBar* area) : QWidget(area), bar_(bar), area_(area) {
    setObjectName(bar->objectName() + QStringLiteral("Band"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(GripWidth, 0, 0, 0);
    layout->setSpacing(0);
    bar->setParent(this);
    bar->setMovable(false);
    layout->addWidget(bar);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::ArrowCursor);
}

void TControlBand::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    // Two raised ridges, the usual grip of a movable band.
    for (int x : {2, 5}) {
        p.setPen(light);
        p.drawLine(x, 3, x, height() - 4);
        p.setPen(dark);
        p.drawLine(x + 1, 3, x + 1, height() - 4);
    }
}

void TControlBand::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().x() < GripWidth) {
        dragging_ = true;
        grabOffset_ = event->position().toPoint();
        setCursor(Qt::SizeAllCursor);
        raise();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TControlBand::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        area_->BandDragged(this, mapToParent(event->position().toPoint()) - grabOffset_);
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TControlBand::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        setCursor(Qt::ArrowCursor);
        area_->BandDropped(this);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace nubra::app
