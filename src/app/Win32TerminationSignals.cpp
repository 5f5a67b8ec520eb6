// Windows: Ctrl+C, Ctrl+Break and the console window closing arrive on a thread of the system's; the
// request is queued to the main thread. For a closing console the system ends the process once the
// handler returns, so the handler waits a little for the main window to close.
#include "TerminationSignals.h"

#include "WindowsApi.h"

#include <QMetaObject>
#include <atomic>

namespace nubra::app {
namespace {

std::atomic<TerminationSignals*> instance{nullptr};
std::atomic<bool> requested{false};

BOOL WINAPI OnConsoleEvent(DWORD event) {
    TerminationSignals* target = instance.load();
    if (!target)
        return FALSE;
    requested = true;
    QMetaObject::invokeMethod(target, &TerminationSignals::terminationRequested, Qt::QueuedConnection);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        for (int i = 0; i < 40 && instance.load(); ++i)
            ::Sleep(100);
    }
    return TRUE;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    instance = this;
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool TerminationSignals::Requested() {
    return requested;
}

TerminationSignals::~TerminationSignals() {
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    instance = nullptr;
}

} // namespace nubra::app
