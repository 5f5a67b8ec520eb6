#pragma once
// Placing a header or footer line's text in its printed width with spaces.
#include <QString>

namespace nubra::settings {

QString TrimLeft(const QString& text);
QString TrimRight(const QString& text);
// Trimmed on both sides, (width - length) div 2 spaces in front.
QString Centered(const QString& text, int width);
// Trimmed on both sides, width - length spaces in front.
QString RightAligned(const QString& text, int width);

} // namespace nubra::settings
