#pragma once
// Factories of the settings windows for the start-up list; the date and header windows get their
// buttons wired to the main window's handlers.
#include <functional>
#include <string>

class QWidget;

namespace nubra::app {
class TFormMain;
}

namespace nubra::settings {

QWidget* CreateFormDateTime(app::TFormMain& main);
QWidget* CreateFormGetSetPTU(app::TFormMain& main);
QWidget* CreateFormPosts(app::TFormMain& main);
QWidget* CreateFormMoveTime(app::TFormMain& main);
QWidget* CreateFormParams(app::TFormMain& main);
QWidget* CreateFormWaitingTime(app::TFormMain& main);
QWidget* CreateFormHeaderFooter(app::TFormMain& main);
QWidget* CreatePanNaglowek(app::TFormMain& main);

// Writes the header window's lines to the printer ("Zapisz do drukarki") and closes the window with
// OK once every line and the control printout went through.
void WriteHeader(app::TFormMain& main);

// Runs a read of the printer; when it fails without the link having said why (no code, no data),
// the error window shows why. True when the read went through.
bool ReadOrSayWhy(app::TFormMain& main, const std::function<bool()>& read, const std::string& why);

} // namespace nubra::settings
