#pragma once
// The windows of the program, each created once, after the main window. Those marked atStart are
// created at start-up in this order; every other one when it is first asked for (TFormMain::Window),
// so a window the user never opens costs the start nothing. A window joins by giving its factory in
// the list (StartupWindows.cpp); a name without a factory has no window of its own.
#include <QString>
#include <vector>

class QCoreApplication;
class QWidget;

namespace nubra::app {

class TFormMain;

struct StartupWindow {
    const char* name;
    // Creates the window (parented to the main window, hidden) and runs its creation handler.
    QWidget* (*create)(TFormMain& main);
    // Made at start-up: shown at once, or its creation does something the start needs.
    bool atStart = false;
};

const std::vector<StartupWindow>& StartupOrder();

// Creates the windows of StartupOrder marked atStart and registers each with the main window under
// its name; the others are created by the main window when first asked for.
void CreateStartupWindows(TFormMain& main);

// Qt's own Polish texts for standard buttons ("Tak", "Nie", "Anuluj").
void InstallPolishTranslation(QCoreApplication& app);

} // namespace nubra::app
