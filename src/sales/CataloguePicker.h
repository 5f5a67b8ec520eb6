#pragma once
// The one picker of the sale dialogs: a catalogue window shown modally with the close caption "Ok";
// when it closes, however it was closed, the named fields of the table's current record as text.
#include <QStringList>
#include <functional>
#include <optional>

#include "CatalogueDefs.h"

namespace nubra::app {

class TFormMain;

// setPickMode: the sale dialog's pickers make a double-click pick; the exchange dialog leaves the
// window's mode as the last opening set it. nullopt when the table cannot give the fields (an engine
// error, already shown in an error box).
using CataloguePicker = std::function<std::optional<QStringList>(
    catalogues::Catalogue which, const QStringList& fieldNames, bool setPickMode)>;

CataloguePicker MakeCataloguePicker(TFormMain& main);

} // namespace nubra::app
