// nx3cli's files on a full disk and after a line lost in the middle of a transfer: the old file stays
// unless something new and whole replaces it, and the message says what happened.
#include <algorithm>

#include "CliFixture.h"
#include "FullFolder.h"
#include "Nx3Device.h"

namespace nubra::testing {
namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct WriterCase {
    std::vector<std::string> args; // the file is appended
    std::string err;               // FILE stands for the file's path
};

class CliFullDisk : public CliFixture, public ::testing::WithParamInterface<WriterCase> {};

std::string WithFile(std::string text, const std::string& file) {
    return text.replace(text.find("FILE"), 4, file);
}

TEST_P(CliFullDisk, KeepsTheOldFileAndSaysSo) {
    FullFolder full;
    if (!full.Ready())
        GTEST_SKIP() << full.Why();
    const std::string old = "the old file, whole\n";
    ASSERT_TRUE(full.Put("old.txt", old));
    ASSERT_TRUE(full.Fill());
    std::vector<std::string> args = GetParam().args;
    args.push_back(full.Path() + "old.txt");
    const CliRunResult r = Run(args);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.err, WithFile(GetParam().err, full.Path() + "old.txt"));
    EXPECT_EQ(Read(full.Path() + "old.txt"), old);
    // A device that refuses every write, given as the file.
    args.back() = "/dev/full";
    const CliRunResult device = Run(args);
    EXPECT_EQ(device.code, 1) << device.err;
    EXPECT_EQ(device.err, WithFile(GetParam().err, "/dev/full"));
}

INSTANTIATE_TEST_SUITE_P(Writers, CliFullDisk,
                         ::testing::Values(WriterCase{{"transfer"}, "Błąd zapisu do pliku FILE.\n"},
                                           WriterCase{{"snapshot", "save"}, "Błąd zapisu do pliku 'FILE'.\n"},
                                           WriterCase{{"catalogue", "export", "towary"},
                                                      "Błąd zapisu do pliku 'FILE'.\n"}));

struct LostCase {
    std::size_t frame; // of the report's frames ("I1", then "WE" and a line, ...) the one cut short
    std::size_t lines; // saved
};

class CliLostTransfer : public CliFixture, public ::testing::WithParamInterface<LostCase> {};

TEST_P(CliLostTransfer, KeepsTheOldReportOrSavesWhatArrived) {
    const std::string file = dir + "/raport.txt";
    ASSERT_EQ(Run({"transfer", file}).code, 0);
    const std::string whole = Read(file);
    std::ofstream(file) << "an earlier report\n";
    // Counted after the three frames that answer the status query picking the code page.
    Device([frame = GetParam().frame](sim::Nx3Device& d) { d.HangUpInFrame(1, 3 + frame); });
    const CliRunResult r = Run({"transfer", file});
    EXPECT_EQ(r.code, 2) << r.err;
    const std::string lost = "Brak komunikacji z drukarką.\n";
    if (GetParam().lines == 0) {
        EXPECT_EQ(Read(file), "an earlier report\n");
        EXPECT_EQ(r.err.rfind(lost, 0), 0u) << r.err;
        return;
    }
    const std::string saved = Read(file);
    EXPECT_EQ(saved, whole.substr(0, saved.size()));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), static_cast<long>(GetParam().lines)) << saved;
    EXPECT_EQ(r.err.rfind(
                  "Raport jest niepełny: transmisja została przerwana.\nLiczba wierszy zapisanych w pliku " +
                      file + ": " + std::to_string(GetParam().lines) + ".\n" + lost,
                  0),
              0u)
        << r.err;
}

INSTANTIATE_TEST_SUITE_P(Cuts, CliLostTransfer,
                         ::testing::Values(LostCase{0, 0}, LostCase{1, 0}, LostCase{5, 2}));

} // namespace
} // namespace nubra::testing
