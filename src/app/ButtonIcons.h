#pragma once
// The tool-bar pictures, drawn by the program: a coloured tile per tool bar with a short sign.
#include <QIcon>
#include <QString>

namespace nubra::app {

inline constexpr int ButtonIconSize = 20;

// The picture of the tool button with this object name (an empty tile for an unknown name).
QIcon ButtonIcon(const QString& buttonName);

} // namespace nubra::app
