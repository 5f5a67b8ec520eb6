// The nx3sim program as a user runs it: the slave path on stdout, the link, a clean end on SIGTERM,
// the roll file.
#include "DeviceTalk.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

// An nx3sim started with these arguments: its process, its standard output (kept open while it
// runs) and the slave path it printed first.
struct RunningSim {
    pid_t pid = -1;
    FILE* output = nullptr;
    std::string slave;
};

RunningSim StartSim(std::vector<std::string> arguments) {
    int out[2];
    if (::pipe(out) != 0)
        return {};
    arguments.insert(arguments.begin(), "nx3sim");
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    RunningSim sim;
    sim.pid = ::fork();
    if (sim.pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::execv(NX3SIM_PATH, argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    sim.output = ::fdopen(out[0], "r");
    char line[256] = {};
    if (sim.pid > 0 && std::fgets(line, sizeof line, sim.output))
        sim.slave = line;
    return sim;
}

int StopSim(const RunningSim& sim, int signal) {
    ::kill(sim.pid, signal);
    int status = 0;
    ::waitpid(sim.pid, &status, 0);
    std::fclose(sim.output);
    return status;
}

TEST(Nx3SimProgram, PrintsTheSlaveLinksItAndCleansUpOnSigterm) {
    std::string dir = ::testing::TempDir() + "nx3sim-prog-XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string link = dir + "/COM2";

    const RunningSim sim = StartSim({"--link", link});
    ASSERT_GT(sim.pid, 0);
    std::string slave = sim.slave;
    ASSERT_FALSE(slave.empty());
    EXPECT_EQ(slave.back(), '\n');
    slave.pop_back();
    EXPECT_EQ(slave.rfind("/dev/pts/", 0), 0u) << slave;

    char target[256] = {};
    ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), slave);

    const int status = StopSim(sim, SIGTERM);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0);
    ::rmdir(dir.c_str());
}

TEST(Nx3SimProgram, HelpListsTheFaultOptions) {
    FILE* p = ::popen(NX3SIM_PATH " --help", "r");
    ASSERT_NE(p, nullptr);
    std::string text;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, p))
        text += buffer;
    EXPECT_EQ(::pclose(p), 0);
    for (const char* option :
         {"--link", "--noise", "--bad-checksum", "--silence", "--delay-ms", "--error", "--error-closing",
          "--hangup", "--stream", "--roll", "--state", "--control", "nx3sim ctl ", "paper near-end|out|in",
          "power off|on", "fail next ROZKAZ [KOD]"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
}

// Runs nx3sim with a shell command line; returns its output (both streams) and exit status.
std::string RunSim(const std::string& arguments, int& status) {
    FILE* p = ::popen((std::string(NX3SIM_PATH) + " " + arguments + " 2>&1").c_str(), "r");
    std::string text;
    char buffer[512];
    while (p && std::fgets(buffer, sizeof buffer, p))
        text += buffer;
    status = p ? ::pclose(p) : -1;
    return text;
}

// nx3sim ctl: the answer line and an exit status a script can test. After a power cut the device
// holds what its state file kept, not what was only in its memory.
TEST(Nx3SimProgram, ControlSocketAnswersAndPowerComesBackFromTheStateFile) {
    std::string dir = ::testing::TempDir() + "nx3sim-ctl-XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string ctl = dir + "/ctl";
    const RunningSim sim = StartSim({"--state", dir + "/stan.txt", "--control", ctl});
    ASSERT_GT(sim.pid, 0);
    struct Step {
        std::string command;
        std::string answer; // a part of it
        int exit;
    };
    const std::vector<Step> steps = {
        {"paper jam", R"({"ok":false,"error":"papier: near-end, out albo in, nie jam"})", 1},
        {"fail next PC D", R"({"ok":false,"error":"niepoprawny kod odpowiedzi: D"})", 1},
        {"fault --state x", R"({"ok":false,"error":"to nie jest opcja błędu: --state"})", 1},
        {"kick", R"({"ok":false,"error":"nieznany rozkaz: kick"})", 1},
        {"register 3 P",
         R"({"ok":true,"operator":{"paper":"in","cover":"closed","power":"on","slowPrintMs":0}})", 0},
        {"state", R"("register.3.status":"P",)", 0},
        {"power off", R"("power":"off")", 0},
        {"power on", R"("power":"on")", 0},
        {"state", R"("register.3.status":"N",)", 0},
    };
    for (const Step& step : steps) {
        int status = 0;
        const std::string out = RunSim("ctl " + ctl + " " + step.command, status);
        EXPECT_NE(out.find(step.answer), std::string::npos) << step.command << ": " << out;
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, step.exit) << step.command;
    }
    EXPECT_EQ(StopSim(sim, SIGTERM), 0);
    int status = 0;
    EXPECT_NE(RunSim("ctl " + ctl + " state", status).find("nie można połączyć się z gniazdem sterującym"),
              std::string::npos);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    std::filesystem::remove_all(dir);
}

TEST(Nx3SimProgram, DamagedStateFileIsNamedAndNothingStarts) {
    std::string dir = ::testing::TempDir() + "nx3sim-state-XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string file = dir + "/stan.txt";
    FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("# nx3sim\nramResets=7\nvatRates=1 2\n", f);
    std::fclose(f);
    int status = 0;
    const std::string text = RunSim("--state " + file, status);
    EXPECT_EQ(text, "nx3sim: uszkodzony plik stanu " + file + ", wiersz 3: niepoprawna wartość vatRates\n");
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    ::unlink(file.c_str());
    ::rmdir(dir.c_str());
}

// Writes the bytes to the slave and reads until the answer ends with "D1".
std::string Talk(const std::string& slave, const std::string& bytes) {
    const int fd = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return {};
    termios tio{};
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    std::string answer;
    if (::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
        pollfd in{fd, POLLIN, 0};
        char buffer[256];
        // The time-out only keeps a broken emulator from hanging the test.
        while (!answer.ends_with(nubra::sim::test::kD1) && ::poll(&in, 1, 10'000) > 0) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            answer.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return answer;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Nx3SimProgram, RollKeepsEveryPrintedLineThroughAKill) {
    using nubra::sim::test::F;
    std::string dir = ::testing::TempDir() + "nx3sim-roll-XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string roll = dir + "/rolka.txt";
    const std::string stateFile = dir + "/stan.txt";
    const std::string cut = std::string(nubra::sim::kPaperCut) + "\n";

    // Raw lines and a cut, then "B3": its answer means the printout has been handled.
    RunningSim sim = StartSim({"--roll", roll, "--state", stateFile});
    ASSERT_FALSE(sim.slave.empty());
    sim.slave.pop_back();
    EXPECT_TRUE(Talk(sim.slave, "\x02PIERWSZA\x03\x02"
                                "DRUGA\x03\x05" +
                                    F("B3"))
                    .ends_with(nubra::sim::test::kD1));
    int status = StopSim(sim, SIGKILL);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadFile(roll), "PIERWSZA\nDRUGA\n" + cut);

    // The state file counts those lines as printed: the next run neither repeats nor loses any.
    sim = StartSim({"--roll", roll, "--state", stateFile});
    ASSERT_FALSE(sim.slave.empty());
    sim.slave.pop_back();
    EXPECT_TRUE(Talk(sim.slave, "\x02TRZECIA\x03" + F("B3")).ends_with(nubra::sim::test::kD1));
    StopSim(sim, SIGKILL);
    EXPECT_EQ(ReadFile(roll), "PIERWSZA\nDRUGA\n" + cut + "TRZECIA\n");

    ::unlink(roll.c_str());
    ::unlink(stateFile.c_str());
    ::rmdir(dir.c_str());
}

} // namespace
