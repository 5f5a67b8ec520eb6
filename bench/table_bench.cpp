// Speed of the catalogue engine on goods tables of 1 000 to 100 000 records, in the system's temporary
// folder (a real disk here, so the journal's syncs cost what they cost).
#include "TMyTable.h"
#include "TableFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// The tables of every size live in one folder, removed when the program ends.
struct BenchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("nubra_table_bench_" + std::to_string(::getpid()));
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

std::string BenchDir() {
    static BenchFolder folder;
    std::filesystem::create_directories(folder.path);
    return folder.path.string();
}

void DefineGoods(nubra::TMyTable& t) {
    t.AddField("NAZWA", nubra::FieldType::ftString, nubra::Alignment::Left, true, 40);
    t.AddField("PTU", nubra::FieldType::ftString, nubra::Alignment::Center, true, 1);
    t.AddField("CENA", nubra::FieldType::ftCurrency, nubra::Alignment::Right, false, 0);
}

void FillGoods(nubra::TMyTable& t, int n) {
    t.SetField(0, "TOWAR " + std::to_string(n));
    t.SetField(1, std::string("A"));
    t.SetField(2, nubra::Currency{n * 100LL});
}

// A goods table of n records, built once per size and copied for every benchmark run.
std::string GoodsTable(int n) {
    const std::string name = BenchDir() + "/TOWARY" + std::to_string(n);
    nubra::TMyTable t;
    t.SetTableName(name);
    if (t.Exists())
        return name;
    DefineGoods(t);
    t.CreateTable();
    t.Open();
    for (int i = 0; i < n; ++i) {
        t.Append();
        FillGoods(t, i);
        t.Post();
    }
    t.Close();
    return name;
}

std::string WorkCopy(int n) {
    const std::string source = GoodsTable(n);
    const std::string copy = source + "_work";
    std::filesystem::copy_file(source + ".tbl", copy + ".tbl",
                               std::filesystem::copy_options::overwrite_existing);
    return copy;
}

void BM_OpenCount(benchmark::State& state) {
    const std::string name = GoodsTable(static_cast<int>(state.range(0)));
    nubra::TMyTable t;
    t.SetTableName(name);
    for (auto _ : state) {
        t.Open();
        benchmark::DoNotOptimize(t.RecordCount());
        t.Close();
    }
}

void BM_Append(benchmark::State& state) {
    nubra::TMyTable t;
    t.SetTableName(WorkCopy(static_cast<int>(state.range(0))));
    t.Open();
    int i = 0;
    for (auto _ : state) {
        t.Append();
        FillGoods(t, i++);
        t.Post();
    }
    t.Close();
}

void BM_InsertAt0(benchmark::State& state) {
    nubra::TMyTable t;
    t.SetTableName(WorkCopy(static_cast<int>(state.range(0))));
    t.Open();
    for (auto _ : state) {
        t.GoToRecord(0);
        t.Insert();
        FillGoods(t, 0);
        t.Post();
        state.PauseTiming();
        t.Delete();
        state.ResumeTiming();
    }
    t.Close();
}

void BM_DeleteAt0(benchmark::State& state) {
    nubra::TMyTable t;
    t.SetTableName(WorkCopy(static_cast<int>(state.range(0))));
    t.Open();
    for (auto _ : state) {
        state.PauseTiming();
        t.Append();
        FillGoods(t, 0);
        t.Post();
        t.GoToRecord(0);
        state.ResumeTiming();
        t.Delete();
    }
    t.Close();
}

// The plain way to compare with: the tail moved one record per read and write, with no journal; made
// to survive a power cut record by record, each write waits for the disk (sync).
constexpr std::int64_t kGoodsData = 88 + 3 * 36;
constexpr std::int64_t kGoodsRecord = 49;

void MoveOneByOne(nubra::TableFile& f, std::int64_t records, bool towardsEnd, bool sync = false) {
    char record[kGoodsRecord];
    for (std::int64_t i = 0; i < records; ++i) {
        const std::int64_t r = towardsEnd ? records - 1 - i : i + 1;
        const std::int64_t from = kGoodsData + r * kGoodsRecord;
        f.ReadAt(from, record, sizeof record);
        f.WriteAt(towardsEnd ? from + kGoodsRecord : from - kGoodsRecord, record, sizeof record);
        if (sync)
            f.Sync();
    }
}

void BM_InsertAt0OneRecordAtATime(benchmark::State& state) {
    nubra::TableFile f;
    f.Open(WorkCopy(static_cast<int>(state.range(0))) + ".tbl");
    const std::int64_t records = state.range(0);
    const char record[kGoodsRecord] = {'T'};
    for (auto _ : state) {
        MoveOneByOne(f, records, true);
        f.WriteAt(kGoodsData, record, sizeof record);
        state.PauseTiming();
        MoveOneByOne(f, records, false);
        f.Truncate(kGoodsData + records * kGoodsRecord);
        state.ResumeTiming();
    }
}

void BM_DeleteAt0OneRecordAtATime(benchmark::State& state) {
    nubra::TableFile f;
    f.Open(WorkCopy(static_cast<int>(state.range(0))) + ".tbl");
    const std::int64_t records = state.range(0);
    const char record[kGoodsRecord] = {'T'};
    for (auto _ : state) {
        MoveOneByOne(f, records - 1, false);
        f.Truncate(kGoodsData + (records - 1) * kGoodsRecord);
        state.PauseTiming();
        MoveOneByOne(f, records - 1, true);
        f.WriteAt(kGoodsData, record, sizeof record);
        state.ResumeTiming();
    }
}

// The one-record method with a sync after each record: 100 000 waits for the disk per change.
void BM_InsertAt0OneRecordSynced(benchmark::State& state) {
    nubra::TableFile f;
    f.Open(WorkCopy(static_cast<int>(state.range(0))) + ".tbl");
    const std::int64_t records = state.range(0);
    const char record[kGoodsRecord] = {'T'};
    for (auto _ : state) {
        MoveOneByOne(f, records, true, true);
        f.WriteAt(kGoodsData, record, sizeof record);
        f.Sync();
        state.PauseTiming();
        MoveOneByOne(f, records, false);
        f.Truncate(kGoodsData + records * kGoodsRecord);
        state.ResumeTiming();
    }
}

void BM_DeleteAt0OneRecordSynced(benchmark::State& state) {
    nubra::TableFile f;
    f.Open(WorkCopy(static_cast<int>(state.range(0))) + ".tbl");
    const std::int64_t records = state.range(0);
    const char record[kGoodsRecord] = {'T'};
    for (auto _ : state) {
        MoveOneByOne(f, records - 1, false, true);
        f.Truncate(kGoodsData + (records - 1) * kGoodsRecord);
        f.Sync();
        state.PauseTiming();
        MoveOneByOne(f, records - 1, true);
        f.WriteAt(kGoodsData, record, sizeof record);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_OpenCount)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
// Appending grows the file, so the runs are bounded to keep it near its size.
BENCHMARK(BM_Append)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertAt0)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteAt0)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertAt0OneRecordAtATime)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteAt0OneRecordAtATime)->Arg(100000)->Unit(benchmark::kMicrosecond);
// A single run each: every one waits for the disk 100 000 times.
BENCHMARK(BM_InsertAt0OneRecordSynced)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteAt0OneRecordSynced)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
