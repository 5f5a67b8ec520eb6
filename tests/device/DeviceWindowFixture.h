#pragma once
// The program with its windows, talking to an in-process emulator over a pseudo-terminal (under wine,
// over a pair of COM ports). The line records what the program wrote and lets a test act just before a
// given frame leaves.
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProgramState.h"
#include "PtyServer.h"
#include "ScriptedDialogs.h"
#include "ScriptedLine.h"
#include "StartupWindows.h"
#include "SystemSerialLine.h"
#include "TFormMain.h"
#include "TFormRegInfo.h"
#include "TNX3Class.h"

namespace nubra::testing {

class WatchedLine : public SystemSerialLine {
public:
    // Payloads of the frames written, in order ("I7", "3", ...).
    std::vector<std::string> sent;
    // Runs with each payload before its frame is written.
    std::function<void(const std::string&)> beforeWrite;

    bool Write(const std::string& bytes) override {
        std::string payload = bytes;
        if (payload.size() >= 4 && payload.front() == TNX3Class::STX)
            payload = payload.substr(1, payload.size() - 4);
        sent.push_back(payload);
        if (beforeWrite)
            beforeWrite(payload);
        return SystemSerialLine::Write(bytes);
    }
};

class DeviceWindowFixture {
public:
    // extraIni: more lines for nx3config.ini beside [PORT] com=1.
    void Start(const QByteArray& extraIni = {}) {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        server = std::make_unique<sim::PtyServer>(sim::Nx3Device(), Dir().toStdString() + "COM1");
        server->Start();
        QFile ini(Ini());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[PORT]\ncom=1\n" + extraIni);
        ini.close();

        auto owned = std::make_unique<WatchedLine>();
        owned->SetDevicePath(1, server->LinkPath());
        line = owned.get();
        dialogs = std::make_unique<ScriptedDialogs>();
        app::CurrentRegister = 1;
        app::ServiceError = false;
        main = std::make_unique<app::TFormMain>(Dir().toStdString(), std::move(owned));
        app::CreateStartupWindows(*main);
        main->Nx3().Sleep = [](int) {};
        form = app::FormRegInfo(*main);
        QVERIFY(form);
        // Tests drive the lamps tick by tick.
        form->Timer()->stop();
        QVERIFY(main->Nx3().PortOpen);
        QCOMPARE(dialogs->shown.size(), size_t(0));
        line->sent.clear();
    }

    void Stop() {
        main.reset();
        dialogs.reset();
        server.reset();
        dir.reset();
    }

    QString Dir() const { return dir->path() + QLatin1Char('/'); }
    QString Ini() const { return Dir() + QStringLiteral("nx3config.ini"); }

    template <typename Fn> decltype(auto) Device(Fn&& fn) { return server->WithDevice(std::forward<Fn>(fn)); }

    void Trigger(const char* action) { main->Action(QString::fromLatin1(action))->trigger(); }

    // Command codes the program sent (data frames left out).
    std::vector<std::string> Commands() const {
        std::vector<std::string> codes;
        for (const std::string& payload : line->sent) {
            if (payload.size() == 2 && std::isupper(static_cast<unsigned char>(payload[0])))
                codes.push_back(payload);
        }
        return codes;
    }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<sim::PtyServer> server;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<app::TFormMain> main;
    WatchedLine* line = nullptr;
    app::TFormRegInfo* form = nullptr;
};

// The program with its windows on a scripted line in place of the emulator, COM1 open.
class ScriptedProgram {
public:
    ScriptedProgram() {
        QFile ini(Dir() + QStringLiteral("nx3config.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[PORT]\ncom=1\n");
        ini.close();
        auto owned = std::make_unique<ScriptedLine>();
        line = owned.get();
        main = std::make_unique<app::TFormMain>(Dir().toStdString(), std::move(owned));
        app::CreateStartupWindows(*main);
        main->Nx3().Sleep = [](int) {};
    }

    QString Dir() const { return dir.path() + QLatin1Char('/'); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedLine* line = nullptr;
    std::unique_ptr<app::TFormMain> main;
};

} // namespace nubra::testing
