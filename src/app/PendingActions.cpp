// Handlers whose windows are not built yet: they do nothing. Each moves to its subsystem's folder
// when that is built (delete its line here).
#include "TFormMain.h"

namespace nubra::app {

void TFormMain::AGetSetTimeExecute() {}

} // namespace nubra::app
