// The main window's start and its idle life, the port open on a pseudo-terminal.
//
// Start: time from starting a process to its first painted window, the program's main window (with
// every window it makes at start-up) beside a bare QMainWindow, each a fresh process, as a user sees
// it. The working folder holds 1 000 files, as a folder the program may be started from. Each run
// also gives the process's peak memory. The same binary is the started process:
// main_window_bench --probe bare|main DATA_DIR.
//
// Idle: the register window's lamp timer and the date window's clock run many periods (their timers
// at 1 ms) with every tick painted, both blinking lamps blinking, while the working folder changes
// on every tick (a file made, an old one removed, one appended to), as a folder other programs
// write in; the heap in use and the number of objects before and after say whether anything grows.
//
//   QT_QPA_PLATFORM=offscreen build/default/bench/main_window_bench
// heaptrack or valgrind --tool=massif over --benchmark_filter=Idle shows where memory goes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ButtonIcons.h"
#include "ControlTag.h"
#include "DialogSeam.h"
#include "StartupWindows.h"
#include "TFormDateTime.h"
#include "TFormMain.h"
#include "TFormRegInfo.h"

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

// Heap in use, large blocks included.
double HeapMb() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

int ObjectCount(const nubra::app::TFormMain& main) {
    int count = static_cast<int>(main.findChildren<QObject*>().size());
    for (QWidget* top : QApplication::topLevelWidgets())
        count += top == &main ? 0 : 1 + static_cast<int>(top->findChildren<QObject*>().size());
    return count;
}

// state.range(0) lamp ticks: 10 600 are 53 minutes of the lamp's 300 ms; 1 000 for a quick look.
void BM_IdleMainWindowTimers(benchmark::State& state) {
    const Scene scene;
    const QString home = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(scene.Work()));
    NoDialogs seam;
    nubra::app::DialogSeam::Install(&seam);
    nubra::app::TFormMain main(scene.Data());
    nubra::app::CreateStartupWindows(main);
    main.show();
    nubra::app::TFormRegInfo* regInfo = nubra::app::FormRegInfo(main);
    // Paper out and service mode: both lamps blink.
    nubra::app::SetTag(regInfo->LedNep(), 1);
    nubra::app::SetTag(regInfo->LedServ(), 1);
    auto* clock = main.WindowAs<nubra::settings::TFormDateTime>(QStringLiteral("TFormDateTime"));
    clock->show();
    QCoreApplication::processEvents();
    clock->Timer()->start(1);
    regInfo->Timer()->setInterval(1);

    long made = 0;
    const auto ticks = [&](long count) {
        long seen = 0;
        QEventLoop loop;
        const auto tick = QObject::connect(regInfo->Timer(), &QTimer::timeout, &loop, [&] {
            ++made;
            QFile(QStringLiteral("nowy%1.txt").arg(made)).open(QIODevice::WriteOnly);
            QFile::remove(QStringLiteral("nowy%1.txt").arg(made - 20));
            QFile log(QStringLiteral("plik0000.txt"));
            if (log.open(QIODevice::Append))
                log.write("nubra5\n");
            if (++seen == count)
                loop.quit();
        });
        loop.exec();
        QObject::disconnect(tick);
    };
    ticks(500); // caches of fonts, glyphs and pixmaps filled
    malloc_trim(0);
    const double heapBefore = HeapMb();
    const int objectsBefore = ObjectCount(main);
    for (auto _ : state)
        ticks(state.range(0));
    malloc_trim(0);
    const double heapAfter = HeapMb();
    state.counters["heap_before_MB"] = heapBefore;
    state.counters["heap_after_MB"] = heapAfter;
    state.counters["growth_B_per_tick"] =
        (heapAfter - heapBefore) * 1024.0 * 1024.0 / static_cast<double>(state.range(0));
    state.counters["objects_before"] = objectsBefore;
    state.counters["objects_after"] = ObjectCount(main);
    clock->hide();
    main.hide();
    nubra::app::DialogSeam::Install(nullptr);
    QDir::setCurrent(home);
}
BENCHMARK(BM_IdleMainWindowTimers)->Arg(1000)->Arg(10600)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--probe") == 0)
        return Probe(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
