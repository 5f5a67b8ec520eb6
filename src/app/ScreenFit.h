#pragma once
// Keeping windows usable on the screen at hand: a stored place from a larger screen, or a default
// wider than the screen, would leave buttons out of reach.
#include <QRect>

class QWidget;

namespace nubra::app {

// The frame rectangle shrunk to the available area and then moved into it as little as needed.
QRect FitOnScreen(const QRect& frame, const QRect& available);
// Moves, and shrinks when needed, a window (its frame included) into the available area of the screen
// that holds its centre, or of the primary screen when none does.
void KeepOnScreen(QWidget& window);

} // namespace nubra::app
