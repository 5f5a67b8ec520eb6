#pragma once
// SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in the terminal the program was started
// from) become a Qt signal on the main thread, so the program closes its main window the usual way
// and keeps its configuration instead of dying mid-write.
#include <QObject>

class QSocketNotifier;

namespace nubra::app {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // One per process.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // True once one of the signals arrived: the program is ending and may open nothing modal.
    static bool Requested();

signals:
    void terminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace nubra::app
