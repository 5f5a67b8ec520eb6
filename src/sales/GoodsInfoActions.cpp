// The goods information: the goods window opened for it, and the question about its current record.
#include <QPushButton>

#include "CatalogueTables.h"
#include "DeviceText.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "TFormCatalogue.h"
#include "TFormMain.h"
#include "TMyTable.h"
#include "TNX3Class.h"

namespace nubra::app {

void TFormMain::AShowFormTowarInfoExecute() {
    if (nx3_->PrinterType == -1)
        return;
    // The name then travels in the printer's code page; the window opens whatever it answered.
    nx3_->DetectCodePage();
    auto* goods = WindowAs<catalogues::TFormCatalogue>(QStringLiteral("TFormTowary"));
    if (!goods)
        return;
    goods->SetCloseCaption(QStringLiteral("Zamknij"));
    DialogSeam::Current().Exec(*goods);
}

void TFormMain::AGetCommodInfoExecute() {
    if (nx3_->PrinterType == -1)
        return;
    catalogues::CatalogueTables* tables = catalogues::CatalogueTables::Of(*this);
    if (!tables)
        return;
    const std::string name = ToText(tables->Table(catalogues::Catalogue::Goods).GetFieldByName("NAZWA"));
    CommodInfo info;
    const bool ok = nx3_->GetCommodInfo(name, info);
    if (!ok)
        return;
    const QString tail(10, QLatin1Char(' '));
    const QString indent(10, QLatin1Char(' '));
    const QStringList lines = {
        indent + QStringLiteral("Nazwa: ") + FromDevice(name) + tail,
        indent + QStringLiteral("Indeks PTU: ") + FromDevice(info.PtuIndex) + tail,
        indent + QStringLiteral("Była zmiana stawki: ") +
            (info.RateChanged == "T" ? QStringLiteral("Tak") : QStringLiteral("Nie")) + tail,
        indent + QStringLiteral("Wskaźnik listy towarów: ") + FromDevice(info.ListIndicator) +
            QStringLiteral("%") + tail,
        indent + QStringLiteral("Ostatnia stawka: ") + FromDevice(info.LastRate) + QStringLiteral("%") + tail,
    };
    ShowMessageBox(this, QMessageBox::NoIcon, lines.join(QStringLiteral("\n")));
}

} // namespace nubra::app
