#pragma once
// The pictures of the register window, drawn by the program: the status glyphs of the transaction
// registers, the lamps and the print button.
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <string>
#include <vector>

namespace nubra::app {

inline constexpr int StatusGlyphSize = 16;

// The image list of the status buttons: "N", "T", "P", "F", "W", "X", "D" in this order.
std::vector<QPixmap> StatusGlyphs();
// Index of the glyph for an "I7" status letter; any letter without its own glyph shows "N".
int StatusGlyphIndex(const std::string& status);
// What a status glyph shows, for assistive tools.
QString StatusGlyphName(int index);

// A round lamp: lit in colour while its button is enabled, dark grey while it is disabled.
QIcon LampIcon(const QColor& lit);
QIcon PrintIcon();

} // namespace nubra::app
