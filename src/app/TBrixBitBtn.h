#pragma once
// A flat picture button: only its glyph on a plain background, a raised border while the mouse is
// over it, a sunken one while pressed, and a dotted focus rectangle in FocusedColor when it has the
// keyboard focus. The caption is never drawn; it serves as the accessible name.
#include <QColor>
#include <QPixmap>
#include <QPushButton>

namespace nubra::app {

class TBrixBitBtn : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QColor FocusedColor READ FocusedColor WRITE SetFocusedColor)
public:
    explicit TBrixBitBtn(QWidget* parent = nullptr);
    TBrixBitBtn(const QString& caption, QWidget* parent = nullptr);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    QColor Color() const { return color_; }
    void SetColor(const QColor& value);
    QColor FocusedColor() const { return focusedColor_; }
    void SetFocusedColor(const QColor& value);

    QPixmap Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);

    bool MouseOver() const { return mouseOver_; }
    QSize sizeHint() const override { return {23, 23}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Init();

    bool transparent_ = false;
    QColor color_;
    QColor focusedColor_;
    QPixmap glyph_;
    bool mouseOver_ = false;
};

} // namespace nubra::app
