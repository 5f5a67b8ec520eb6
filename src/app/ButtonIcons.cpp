#include "ButtonIcons.h"

#include <QPainter>
#include <QPixmap>
#include <map>
#ifndef NUBRA_PNG_PICTURES
#include <QSvgRenderer>
#endif

namespace nubra::app {
namespace {

const std::map<QString, const char*>& Pictures() {
    static const std::map<QString, const char*> pictures = {
        {QStringLiteral("SpeedButton9"), "receipt-start"},
        {QStringLiteral("SpeedButton3"), "receipt-finish"},
        {QStringLiteral("SpeedButton2"), "printer"},
        {QStringLiteral("SpeedButton24"), "serial-port"},
        {QStringLiteral("SB_CloseOpenPort"), "plug"},
        {QStringLiteral("SB_LogWindow"), "log-window"},
        {QStringLiteral("SB_ChooseCurrency"), "currency"},
        {QStringLiteral("SpeedButton1"), "sliders"},
        {QStringLiteral("SpeedButton4"), "sigma"},
        {QStringLiteral("SpeedButton5"), "id-card"},
        {QStringLiteral("SpeedButton6"), "report-number"},
        {QStringLiteral("SpeedButton7"), "reset-count"},
        {QStringLiteral("SpeedButton8"), "workstations"},
        {QStringLiteral("SpeedButton13"), "calendar-clock"},
        {QStringLiteral("SB_WaitTime"), "hourglass"},
        {QStringLiteral("SpeedButton19"), "goods-info"},
        {QStringLiteral("SpeedButton18"), "warning"},
        {QStringLiteral("SpeedButton17"), "clock-shift"},
        {QStringLiteral("SpeedButton16"), "percent"},
        {QStringLiteral("SpeedButton15"), "header"},
        {QStringLiteral("SpeedButton10"), "footer"},
        {QStringLiteral("SpeedButton14"), "message"},
        {QStringLiteral("SpeedButton21"), "box"},
        {QStringLiteral("SpeedButton22"), "people"},
        {QStringLiteral("SpeedButton23"), "card"},
        {QStringLiteral("SpeedButton30"), "daily-report"},
        {QStringLiteral("SpeedButton34"), "period-report"},
        {QStringLiteral("SB_RapOpStalych"), "constant-list"},
        {QStringLiteral("SpeedButton26"), "goods-list"},
        {QStringLiteral("SBZerowanieRam"), "memory-reset"},
        {QStringLiteral("SBFiskalizacja"), "stamp"},
        {QStringLiteral("SBZmianaNaEuro"), "euro"},
        {QStringLiteral("SBRozliczeniowy"), "settlement"},
    };
    return pictures;
}

#ifdef NUBRA_PNG_PICTURES
// Drawn by the build in every size asked for here, at both screen scales.
QIcon Render(const QString& name, std::initializer_list<int> sizes) {
    QIcon icon;
    for (int size : sizes) {
        for (int scale : {1, 2}) {
            QPixmap pm(QStringLiteral(":/png/%1-%2.png").arg(name).arg(size * scale));
            pm.setDevicePixelRatio(scale);
            icon.addPixmap(pm);
        }
    }
    return icon;
}
#else
// Rendered here rather than by Qt's SVG icon plugin: the plugin is an optional package, and a
// missing one would leave every button blank.
QIcon Render(const QString& name, std::initializer_list<int> sizes) {
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    if (!renderer.isValid())
        return {};
    QIcon icon;
    for (int size : sizes) {
        for (qreal scale : {1.0, 2.0}) {
            QPixmap pm(QSize(size, size) * scale);
            pm.setDevicePixelRatio(scale);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            renderer.render(&p, QRectF(0, 0, size, size));
            p.end();
            icon.addPixmap(pm);
        }
    }
    return icon;
}
#endif

} // namespace

QIcon ButtonIcon(const QString& buttonName) {
    const auto it = Pictures().find(buttonName);
    if (it == Pictures().end())
        return {};
    return Render(QLatin1String(it->second), {ButtonIconSize});
}

QIcon ApplicationIcon() {
    return Render(QStringLiteral("nubra5-serwis"), {16, 24, 32, 48, 64, 128, 256});
}

} // namespace nubra::app
