#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace nubra::app {

QRect FitOnScreen(const QRect& frame, const QRect& available) {
    const int width = std::min(frame.width(), available.width());
    const int height = std::min(frame.height(), available.height());
    const int left = std::clamp(frame.left(), available.left(), available.left() + available.width() - width);
    const int top = std::clamp(frame.top(), available.top(), available.top() + available.height() - height);
    return {left, top, width, height};
}

void KeepOnScreen(QWidget& window) {
    const QRect frame = window.frameGeometry();
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect fitted = FitOnScreen(frame, screen->availableGeometry());
    if (fitted.size() != frame.size())
        window.resize(window.size() - (frame.size() - fitted.size()));
    if (fitted.topLeft() != frame.topLeft())
        window.move(fitted.topLeft());
}

} // namespace nubra::app
