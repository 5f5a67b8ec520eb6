#pragma once
// nx3cli run in-process against an nx3sim served on a pseudo-terminal: COM1 of a fresh data folder
// is a symbolic link to it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "CliRun.h"
#include "PtyServer.h"

namespace nubra::testing {

struct CliRunResult {
    int code = -1;
    std::string out;
    std::string err;
};

class CliFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "nx3cli-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        comPath = dir + "/COM1";
        server = std::make_unique<sim::PtyServer>(sim::Nx3Device(), comPath);
        server->Start();
    }

    void TearDown() override {
        server.reset();
        std::filesystem::remove_all(dir);
    }

    // nx3cli with the data folder of the test, as given.
    CliRunResult RunPlain(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", dir});
        std::ostringstream out, err;
        CliRunResult r;
        r.code = cli::RunCli(args, {"/nonexistent", "", "/nonexistent"}, out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }
    // nx3cli on the emulator's device.
    CliRunResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--device", comPath});
        return RunPlain(std::move(args));
    }

    // The command line is refused with 64 and nothing went over the line (its trace stays empty).
    // Returns the run for further checks.
    CliRunResult RunRefusedUnsent(const std::vector<std::string>& args) {
        const std::string trace = dir + "/unsent-trace.txt";
        std::vector<std::string> traced = {"--trace", trace};
        traced.insert(traced.end(), args.begin(), args.end());
        const CliRunResult r = Run(traced);
        EXPECT_EQ(r.code, 64) << ::testing::PrintToString(args);
        std::ifstream in(trace);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "") << ::testing::PrintToString(args);
        return r;
    }

    void WriteConfig(const std::string& text) { std::ofstream(dir + "/nx3config.ini") << text; }

    template <typename Fn> decltype(auto) Device(Fn&& fn) { return server->WithDevice(std::forward<Fn>(fn)); }

    std::string dir;
    std::string comPath;
    std::unique_ptr<sim::PtyServer> server;
};

} // namespace nubra::testing
