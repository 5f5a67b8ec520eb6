// What the link itself costs per exchange: a "B2" against the emulator on a pseudo-terminal, with the
// 25 ms pause replaced by nothing (pure overhead: frames, logging, the pseudo-terminal round trip) and
// with the real pause; and reading one 104-byte "T2" frame from memory.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "PosixSerialLine.h"
#include "PtyServer.h"
#include "ScriptedLine.h"
#include "TNX3Class.h"

namespace {

// The window layer reduced to nothing, so only the link is measured.
class SilentUi : public nubra::LinkUi {
public:
    void ShowMessage(const std::string&, nubra::MessageIcon) override {}
    void ShowError(const std::string&) override {}
    void ShowWait() override {}
    void HideWait() override {}
    void ProcessMessages() override {}
    void AddLogLine(const std::string& bytes) override { logged += bytes.size(); }
    void SetBusyCursor(bool) override {}
    std::size_t logged = 0;
};

void DayReportOverPty(benchmark::State& state, bool realPause) {
    nubra::sim::PtyServer server;
    server.Start();
    SilentUi ui;
    auto line = std::make_unique<nubra::PosixSerialLine>();
    line->SetDevicePath(1, server.SlavePath());
    nubra::TNX3Class link("/tmp/", ui, std::move(line));
    if (!realPause)
        link.Sleep = [](int) {};
    if (!link.OpenPort(1)) {
        state.SkipWithError("port not opened");
        return;
    }
    std::string date;
    std::string number;
    for (auto _ : state) {
        if (!link.GetDayReportNo(date, number)) {
            state.SkipWithError("B2 refused");
            break;
        }
        benchmark::DoNotOptimize(number);
    }
    state.counters["log_bytes_per_exchange"] =
        benchmark::Counter(static_cast<double>(ui.logged), benchmark::Counter::kAvgIterations);
    link.ClosePort();
}

void BM_DayReportExchangeNoPause(benchmark::State& state) {
    DayReportOverPty(state, false);
}
BENCHMARK(BM_DayReportExchangeNoPause)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_DayReportExchangeRealPause(benchmark::State& state) {
    DayReportOverPty(state, true);
}
BENCHMARK(BM_DayReportExchangeRealPause)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);

void BM_ReceiveFrame104Bytes(benchmark::State& state) {
    SilentUi ui;
    auto owned = std::make_unique<nubra::ScriptedLine>();
    nubra::ScriptedLine* line = owned.get();
    nubra::TNX3Class link("/tmp/", ui, std::move(owned));
    link.OpenPort(1);
    if (state.range(0) != 0)
        link.SelectCodePage(true);
    const std::string frame = nubra::TNX3Class::Frame(std::string(104, '7'));
    // Frames are scripted a thousand at a time, so refilling the line costs next to nothing per read.
    std::string batch;
    for (int i = 0; i < 1000; ++i)
        batch += frame;
    std::string data;
    for (auto _ : state) {
        if (line->Unread() == 0) {
            state.PauseTiming();
            line->Feed(batch);
            state.ResumeTiming();
        }
        link.ReceiveFrame(data);
        benchmark::DoNotOptimize(data);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * frame.size()));
}
// 0: no code-page filter; 1: the Mazovia filter installed.
BENCHMARK(BM_ReceiveFrame104Bytes)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
