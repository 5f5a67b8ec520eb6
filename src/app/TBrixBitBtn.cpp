#include "TBrixBitBtn.h"

#include <QBitmap>
#include <QPainter>

namespace nubra::app {

TBrixBitBtn::TBrixBitBtn(QWidget* parent) : QPushButton(parent) {
    Init();
}

TBrixBitBtn::TBrixBitBtn(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    Init();
    setAccessibleName(caption);
}

void TBrixBitBtn::Init() {
    color_ = palette().color(QPalette::Button);
    focusedColor_ = palette().color(QPalette::Light);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setAttribute(Qt::WA_Hover, true);
    resize(23, 23);
}

void TBrixBitBtn::SetTransparent(bool value) {
    if (value == transparent_)
        return;
    transparent_ = value;
    // Opaque exactly when not transparent, so the parent paints behind a transparent button.
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    update();
}

void TBrixBitBtn::SetColor(const QColor& value) {
    color_ = value;
    update();
}

void TBrixBitBtn::SetFocusedColor(const QColor& value) {
    focusedColor_ = value;
    update();
}

void TBrixBitBtn::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    update();
}

void TBrixBitBtn::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    mouseOver_ = true;
    update();
}

void TBrixBitBtn::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    mouseOver_ = false;
    update();
}

void TBrixBitBtn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const int w = r.width();
    const int h = r.height();
    if (!transparent_)
        p.fillRect(r, color_);

    const bool pressed = isDown();
    if (!glyph_.isNull()) {
        QPixmap glyph = glyph_;
        // A transparent button lets its glyph's background colour (the bottom-left pixel) through.
        if (transparent_ && !glyph.hasAlphaChannel()) {
            const QColor key = glyph.toImage().pixelColor(0, glyph.height() - 1);
            glyph.setMask(glyph.createMaskFromColor(key, Qt::MaskInColor));
        }
        const int x = (w - glyph.width()) / 2 + (pressed ? 1 : 0);
        const int y = (h - glyph.height()) / 2 + (pressed ? 1 : 0);
        p.drawPixmap(x, y, glyph);
    }

    const QColor highlight = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    auto border = [&](const QColor& leftTop, const QColor& rightBottom) {
        p.setPen(QPen(leftTop, 1));
        p.drawLine(0, h - 1, 0, 0);
        p.drawLine(0, 0, w - 1, 0);
        p.setPen(QPen(rightBottom, 1));
        p.drawLine(w - 1, 0, w - 1, h - 1);
        p.drawLine(w - 1, h - 1, 0, h - 1);
    };
    if (pressed) {
        border(shadow, highlight);
    } else if (mouseOver_) {
        border(highlight, shadow);
    } else if (hasFocus()) {
        p.setPen(QPen(focusedColor_, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, w - 1, h - 1);
    }
}

} // namespace nubra::app
