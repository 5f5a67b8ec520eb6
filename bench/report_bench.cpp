// The periodic report of about 2 000 lines fetched as text, the way the program does it (the transfer
// window, its memo, the window system run between lines, Raport.txt written), from nx3sim paced at
// 9600 baud on a pseudo-terminal. Compared with the time the same bytes take on the line
// (bytes x 10 / 9600 s) plus the one fixed pause of the exchange (25 ms after the command): what is
// left over is the program's own share. The processor time is split between the emulator's serving
// thread and the rest of the process (the program). Run offscreen: QT_QPA_PLATFORM=offscreen
// build/default/bench/report_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <chrono>
#include <ctime>
#include <memory>

#include "DialogSeam.h"
#include "FiscalMemory.h"
#include "PosixSerialLine.h"
#include "PtyServer.h"
#include "ReportWindows.h"
#include "StartupWindows.h"
#include "TFormMain.h"
#include "TNX3Class.h"

namespace {

using nubra::sim::DailyRecord;

constexpr int kWantedLines = 2000;
constexpr double kBaud = 9600.0;
constexpr double kFixedPauses = 0.025; // after the command code

double ProcessCpuSeconds() {
    timespec used{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) / 1e9;
}

// Opening the file on the desktop is not the program's time.
class NoDesktop : public nubra::app::DialogSeam {
public:
    int Exec(QDialog&) override { return 0; }
    bool OpenUrl(const QUrl&) override { return true; }
};

std::vector<std::string> ReportLines(const std::vector<DailyRecord>& memory) {
    return nubra::sim::PeriodReportLines("RAPORT FISKALNY OKRESOWY", "ZA CALY OKRES", memory, ',');
}

// The smallest sample fiscal memory whose whole-period report has at least kWantedLines lines.
std::vector<DailyRecord> Memory(const std::array<int, 7>& rates) {
    for (int count = 300;; ++count) {
        auto memory = nubra::sim::SampleFiscalMemory(count, count, "250131", rates);
        if (ReportLines(memory).size() >= kWantedLines)
            return memory;
    }
}

void BM_PeriodReportTransferAtLineRate(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    nubra::sim::DeviceState device;
    device.fiscalMemory = Memory(device.vatRates);
    const std::vector<std::string> lines = ReportLines(device.fiscalMemory);
    nubra::sim::PtyServer server{nubra::sim::Nx3Device(device), folder + "COM1"};
    server.SetLineRate(nubra::sim::PtyServer::kLineRate);
    server.Start();

    QFile ini(dir.path() + "/nx3config.ini");
    ini.open(QIODevice::WriteOnly);
    ini.write("[PORT]\ncom=1\n");
    ini.close();
    auto line = std::make_unique<nubra::PosixSerialLine>();
    line->SetDevicePath(1, folder + "COM1");
    NoDesktop seam;
    nubra::app::DialogSeam::Install(&seam);
    nubra::app::TFormMain main(folder, std::move(line));
    nubra::app::CreateStartupWindows(main);

    // Bytes both ways: the command and its range, then "I1", a "WE" frame and a text frame per line, "D1".
    std::size_t bytes = nubra::TNX3Class::Frame("R2").size() + 2 * nubra::TNX3Class::Frame("000000").size();
    bytes += 2 * nubra::TNX3Class::Frame("I1").size();
    for (const std::string& l : lines)
        bytes += nubra::TNX3Class::Frame("WE").size() + nubra::TNX3Class::Frame(l).size();
    const double lineSeconds = static_cast<double>(bytes) * 10.0 / kBaud + kFixedPauses;

    double elapsed = 0;
    double emulatorCpu = 0;
    double processCpu = 0;
    bool complete = true;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto emulatorStart = server.ServingCpuTime();
        const double processStart = ProcessCpuSeconds();
        nubra::reports::TransferPeriodReport(main, "000000", "000000");
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        emulatorCpu = std::chrono::duration<double>(server.ServingCpuTime() - emulatorStart).count();
        processCpu = ProcessCpuSeconds() - processStart;
        QFile report(dir.path() + "/Raport.txt");
        report.open(QIODevice::ReadOnly);
        const QList<QByteArray> got = report.readAll().split('\n');
        complete = got.size() == static_cast<qsizetype>(lines.size()) + 1;
        for (std::size_t i = 0; complete && i < lines.size(); ++i)
            complete = got[static_cast<qsizetype>(i)].toStdString() == lines[i];
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["line_s"] = lineSeconds;
    state.counters["took_s"] = elapsed;
    state.counters["program_share_pct"] = (elapsed - lineSeconds) / lineSeconds * 100.0;
    state.counters["emulator_cpu_pct"] = emulatorCpu / elapsed * 100.0;
    state.counters["program_cpu_pct"] = (processCpu - emulatorCpu) / elapsed * 100.0;
    state.counters["file_complete"] = complete ? 1 : 0;
    nubra::app::DialogSeam::Install(nullptr);
}
BENCHMARK(BM_PeriodReportTransferAtLineRate)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
