#include "StatusGlyphs.h"

#include <QPainter>
#include <QRadialGradient>
#include <array>
#include <string>

namespace nubra::app {
namespace {

struct GlyphDef {
    char letter;
    QColor fill;
    const char* name;
};

const std::array<GlyphDef, 7>& GlyphDefs() {
    static const std::array<GlyphDef, 7> defs = {{
        {'N', QColor(0x80, 0x80, 0x80), "status N"},
        {'T', QColor(0x00, 0x90, 0x30), "status T, transakcja otwarta"},
        {'P', QColor(0x20, 0x50, 0xc0), "status P"},
        {'F', QColor(0xd0, 0x80, 0x00), "status F"},
        {'W', QColor(0x80, 0x30, 0xa0), "status W"},
        {'X', QColor(0xc0, 0x20, 0x20), "status X"},
        {'D', QColor(0x00, 0x80, 0x80), "status D"},
    }};
    return defs;
}

QPixmap Lamp(const QColor& colour) {
    QPixmap pixmap(StatusGlyphSize, StatusGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shine(QPointF(6, 6), 9);
    shine.setColorAt(0, colour.lighter(170));
    shine.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(180), 1));
    p.setBrush(shine);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return pixmap;
}

} // namespace

std::vector<QPixmap> StatusGlyphs() {
    std::vector<QPixmap> glyphs;
    for (const GlyphDef& def : GlyphDefs()) {
        QPixmap pixmap(StatusGlyphSize, StatusGlyphSize);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(def.fill.darker(150));
        p.setBrush(def.fill);
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, StatusGlyphSize, StatusGlyphSize), Qt::AlignCenter,
                   QString(QChar(def.letter)));
        p.end();
        glyphs.push_back(pixmap);
    }
    return glyphs;
}

int StatusGlyphIndex(const std::string& status) {
    const auto& defs = GlyphDefs();
    if (status.size() == 1) {
        for (std::size_t i = 0; i < defs.size(); ++i) {
            if (defs[i].letter == status[0])
                return static_cast<int>(i);
        }
    }
    return 0;
}

QString StatusGlyphName(int index) {
    const auto& defs = GlyphDefs();
    if (index < 0 || index >= static_cast<int>(defs.size()))
        return {};
    return QString::fromUtf8(defs[static_cast<std::size_t>(index)].name);
}

QIcon LampIcon(const QColor& lit) {
    QIcon icon;
    icon.addPixmap(Lamp(lit), QIcon::Normal);
    icon.addPixmap(Lamp(QColor(0x40, 0x40, 0x40)), QIcon::Disabled);
    return icon;
}

QIcon PrintIcon() {
    QPixmap pixmap(StatusGlyphSize, StatusGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 5); // paper going in
    p.setBrush(QColor(0x90, 0x90, 0x90));
    p.drawRect(1, 6, 14, 6); // body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 5); // printed sheet
    p.end();
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    return icon;
}

} // namespace nubra::app
