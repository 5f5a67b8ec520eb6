#pragma once
// The program's pictures: one pictogram per tool button and the application icon, drawn as SVG in
// the resources (":/icons/") and rendered sharp at every screen scale.
#include <QIcon>
#include <QString>

namespace nubra::app {

inline constexpr int ButtonIconSize = 20;

// The picture of the tool button with this object name (a null icon for an unknown name).
QIcon ButtonIcon(const QString& buttonName);

// The program's own icon: every window's icon and the desktop entry's.
QIcon ApplicationIcon();

} // namespace nubra::app
