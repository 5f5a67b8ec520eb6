#include "ButtonIcons.h"

#include <QPainter>
#include <QPixmap>
#include <map>

namespace nubra::app {
namespace {

struct Sign {
    const char* text; // UTF-8
    QRgb tile;
};

const std::map<QString, Sign>& Signs() {
    constexpr QRgb sales = 0x2E7D32, port = 0x1565C0, device = 0x00796B, bases = 0x8D6E63, reports = 0x6A1B9A,
                   service = 0xC62828;
    static const std::map<QString, Sign> signs = {
        {QStringLiteral("SpeedButton9"), {"T+", sales}},
        {QStringLiteral("SpeedButton3"), {"T=", sales}},
        {QStringLiteral("SpeedButton2"), {"Dk", sales}},
        {QStringLiteral("SpeedButton24"), {"COM", port}},
        {QStringLiteral("SB_CloseOpenPort"), {"O/Z", port}},
        {QStringLiteral("SB_LogWindow"), {"<>", port}},
        {QStringLiteral("SB_ChooseCurrency"), {"zł", port}},
        {QStringLiteral("SpeedButton1"), {"Par", device}},
        {QStringLiteral("SpeedButton4"), {"Σ", device}},
        {QStringLiteral("SpeedButton5"), {"NIP", device}},
        {QStringLiteral("SpeedButton6"), {"RD", device}},
        {QStringLiteral("SpeedButton7"), {"0", device}},
        {QStringLiteral("SpeedButton8"), {"St", device}},
        {QStringLiteral("SpeedButton13"), {"D/C", device}},
        {QStringLiteral("SB_WaitTime"), {"Cz", device}},
        {QStringLiteral("SpeedButton19"), {"T?", device}},
        {QStringLiteral("SpeedButton18"), {"!", device}},
        {QStringLiteral("SpeedButton17"), {"±1", device}},
        {QStringLiteral("SpeedButton16"), {"%", device}},
        {QStringLiteral("SpeedButton15"), {"Ng", device}},
        {QStringLiteral("SpeedButton10"), {"Sp", device}},
        {QStringLiteral("SpeedButton14"), {"Sz", device}},
        {QStringLiteral("SpeedButton21"), {"Tw", bases}},
        {QStringLiteral("SpeedButton22"), {"Kh", bases}},
        {QStringLiteral("SpeedButton23"), {"Kp", bases}},
        {QStringLiteral("SpeedButton30"), {"Z", reports}},
        {QStringLiteral("SpeedButton34"), {"Ok", reports}},
        {QStringLiteral("SB_RapOpStalych"), {"Op", reports}},
        {QStringLiteral("SpeedButton26"), {"LT", reports}},
        {QStringLiteral("SBZerowanieRam"), {"RAM", service}},
        {QStringLiteral("SBFiskalizacja"), {"F", service}},
        {QStringLiteral("SBZmianaNaEuro"), {"€", service}},
        {QStringLiteral("SBRozliczeniowy"), {"RR", service}},
    };
    return signs;
}

QPixmap Draw(const Sign& sign, qreal scale) {
    const int size = ButtonIconSize;
    QPixmap pm(QSize(size, size) * scale);
    pm.setDevicePixelRatio(scale);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tile = QColor::fromRgb(sign.tile);
    p.setPen(tile.darker(140));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 4, 4);
    // A lighter top half gives the tile some depth.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawRoundedRect(QRectF(1.5, 1.5, size - 3, size / 2.0 - 1), 3, 3);

    const QString text = QString::fromUtf8(sign.text);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(text.size() >= 3 ? 7 : text.size() == 2 ? 9 : 13);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, text);
    return pm;
}

} // namespace

QIcon ButtonIcon(const QString& buttonName) {
    const auto it = Signs().find(buttonName);
    const Sign sign = it != Signs().end() ? it->second : Sign{"", 0x808080};
    QIcon icon;
    icon.addPixmap(Draw(sign, 1.0));
    icon.addPixmap(Draw(sign, 2.0));
    return icon;
}

} // namespace nubra::app
