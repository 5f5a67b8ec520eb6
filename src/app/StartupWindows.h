#pragma once
// The windows of the program, created once at start-up in this order, after the main window.
// A window joins by giving its factory in the list (StartupWindows.cpp); a name without a factory
// has no window of its own.
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
};

const std::vector<StartupWindow>& StartupOrder();

// Creates every window of StartupOrder that has a factory and registers it with the main window
// under its name.
void CreateStartupWindows(TFormMain& main);

// Qt's own Polish texts for standard buttons ("Tak", "Nie", "Anuluj").
void InstallPolishTranslation(QCoreApplication& app);

} // namespace nubra::app
