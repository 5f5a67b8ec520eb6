#include "CataloguePicker.h"

#include "CatalogueTables.h"
#include "DeviceText.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "NubraError.h"
#include "TFormCatalogue.h"
#include "TFormMain.h"
#include "TMyTable.h"

namespace nubra::app {

CataloguePicker MakeCataloguePicker(TFormMain& main) {
    return [&main](catalogues::Catalogue which, const QStringList& fieldNames,
                   bool setPickMode) -> std::optional<QStringList> {
        const catalogues::CatalogueDef& def = catalogues::Definition(which);
        auto* window = main.WindowAs<catalogues::TFormCatalogue>(QString::fromLatin1(def.windowName));
        if (!window)
            return std::nullopt;
        window->SetCloseCaption(QStringLiteral("Ok"));
        if (setPickMode)
            window->SetPickMode(true);
        DialogSeam::Current().Exec(*window);
        QStringList values;
        try {
            for (const QString& name : fieldNames)
                values.append(FromDevice(ToText(window->Table().GetFieldByName(ToDevice(name)))));
        } catch (const Error& e) {
            ShowMessageBox(&main, QMessageBox::Critical, ProgramText(std::string(e.what())));
            return std::nullopt;
        }
        return values;
    };
}

} // namespace nubra::app
