// Time from starting a process to its first painted window: the program's main window (with every
// window it makes at start-up, the port open on a pseudo-terminal) beside a bare QMainWindow, each a
// fresh process, as a user sees it. The working folder holds 1 000 files, as a folder the program
// may be started from. Each run also gives the process's peak memory.
//   QT_QPA_PLATFORM=offscreen build/default/bench/startup_bench
// The same binary is the started process: startup_bench --probe bare|main DATA_DIR.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ButtonIcons.h"
#include "DialogSeam.h"
#include "StartupWindows.h"
#include "TFormMain.h"

extern char** environ;

namespace {

std::int64_t MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// A box at start-up (none is expected with a port that opens) must not hold the run.
class NoDialogs : public nubra::app::DialogSeam {
public:
    int Exec(QDialog&) override { return 0; }
    bool OpenUrl(const QUrl&) override { return true; }
};

// Writes the time of the window's first paint to stdout and ends the process there.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            std::printf("%lld\n", static_cast<long long>(MonotonicNs()));
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

int Probe(int argc, char** argv) {
    const bool bare = std::strcmp(argv[2], "bare") == 0;
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    if (bare) {
        QMainWindow window;
        window.resize(896, 574);
        window.installEventFilter(&firstPaint);
        window.show();
        return app.exec();
    }
    // As main.cpp starts the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(nubra::app::ApplicationIcon());
    nubra::app::InstallPolishTranslation(app);
    NoDialogs seam;
    nubra::app::DialogSeam::Install(&seam);
    nubra::app::TFormMain mainForm(argv[3]);
    nubra::app::CreateStartupWindows(mainForm);
    mainForm.installEventFilter(&firstPaint);
    mainForm.show();
    return app.exec();
}

// A data folder whose COM1 is a pseudo-terminal, and a working folder of 1 000 files.
class Scene {
public:
    Scene() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            std::abort();
        QFile ini(data_.path() + "/nx3config.ini");
        if (!ini.open(QIODevice::WriteOnly))
            std::abort();
        ini.write("[PORT]\ncom=1\nCOM1=");
        ini.write(ptsname(master_));
        ini.write("\n");
        ini.close();
        for (int n = 0; n < 1000; ++n) {
            QFile file(work_.path() + QStringLiteral("/plik%1.txt").arg(n, 4, 10, QLatin1Char('0')));
            if (!file.open(QIODevice::WriteOnly))
                std::abort();
            file.write("nubra5\n");
        }
    }
    ~Scene() { close(master_); }
    std::string Data() const { return data_.path().toStdString(); }
    std::string Work() const { return work_.path().toStdString(); }

private:
    QTemporaryDir data_;
    QTemporaryDir work_;
    int master_ = -1;
};

struct Run {
    double seconds = 0;
    double peakMb = 0;
};

Run Start(const Scene& scene, const char* kind) {
    static const std::string self = [] {
        char path[4096] = {};
        const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        return std::string(path, n > 0 ? static_cast<std::size_t>(n) : 0);
    }();
    int out[2];
    if (pipe(out) != 0)
        std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, scene.Work().c_str());
    const std::string data = scene.Data();
    const char* args[] = {self.c_str(), "--probe", kind, data.c_str(), nullptr};
    pid_t pid = 0;
    const std::int64_t started = MonotonicNs();
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, const_cast<char**>(args), environ) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char text[64] = {};
    ssize_t got = 0;
    while (got < static_cast<ssize_t>(sizeof text) - 1) {
        const ssize_t n = read(out[0], text + got, sizeof text - 1 - static_cast<std::size_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (got == 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::abort(); // no window was painted
    return {static_cast<double>(std::atoll(text) - started) / 1e9,
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void FirstWindow(benchmark::State& state, const char* kind) {
    const Scene scene;
    double peak = 0;
    for (auto _ : state) {
        const Run run = Start(scene, kind);
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakMb);
    }
    state.counters["peak_MB"] = peak;
}

void BM_BareQtWindow(benchmark::State& state) {
    FirstWindow(state, "bare");
}
void BM_ProgramMainWindow(benchmark::State& state) {
    FirstWindow(state, "main");
}
BENCHMARK(BM_BareQtWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ProgramMainWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--probe") == 0)
        return Probe(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
