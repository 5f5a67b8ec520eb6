// Import and export of a goods catalogue of 100 000 rows through CSV; the import must stay under 2 s.
#include "CatalogueCsv.h"
#include "CatalogueDefs.h"
#include "CsvText.h"
#include "TMyTable.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

struct BenchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("nubra_csv_bench_" + std::to_string(::getpid()));
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

void OpenGoods(nubra::TMyTable& table, const std::filesystem::path& folder) {
    nubra::catalogues::OpenCatalogue(table, folder.string() + "/",
                                     nubra::catalogues::Definition(nubra::catalogues::Catalogue::Goods));
}

std::string GoodsCsv(int rows) {
    std::string text(nubra::toolkit::kUtf8Bom);
    text += "NAZWA;PTU;CENA\r\n";
    for (int i = 0; i < rows; ++i)
        text +=
            "Żółty ser gouda plastry " + std::to_string(i) + ";a;" + std::to_string(i % 10000) + ",99\r\n";
    return text;
}

void BM_ImportReplace(benchmark::State& state) {
    BenchFolder folder;
    nubra::TMyTable goods;
    OpenGoods(goods, folder.path);
    const std::string text = GoodsCsv(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto checked = nubra::toolkit::CheckCatalogueCsv(goods, text);
        const auto done =
            nubra::toolkit::WriteCatalogueRecords(goods, checked, nubra::toolkit::ImportMode::Replace);
        state.PauseTiming();
        std::filesystem::remove(done.backup);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Export(benchmark::State& state) {
    BenchFolder folder;
    nubra::TMyTable goods;
    OpenGoods(goods, folder.path);
    const auto checked = nubra::toolkit::CheckCatalogueCsv(goods, GoodsCsv(static_cast<int>(state.range(0))));
    nubra::toolkit::WriteCatalogueRecords(goods, checked, nubra::toolkit::ImportMode::Append);
    const std::string out = (folder.path / "out.csv").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(nubra::toolkit::ExportCatalogueCsv(goods, out));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ImportReplace)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
