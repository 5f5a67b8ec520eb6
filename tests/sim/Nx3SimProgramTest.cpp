// The nx3sim program as a user runs it: the slave path on stdout, the link, a clean end on SIGTERM.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(Nx3SimProgram, PrintsTheSlaveLinksItAndCleansUpOnSigterm) {
    std::string dir = ::testing::TempDir() + "nx3sim-prog-XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string link = dir + "/COM2";

    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::execl(NX3SIM_PATH, "nx3sim", "--link", link.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    FILE* stream = ::fdopen(out[0], "r");
    char line[256] = {};
    ASSERT_NE(std::fgets(line, sizeof line, stream), nullptr);
    std::string slave(line);
    ASSERT_FALSE(slave.empty());
    EXPECT_EQ(slave.back(), '\n');
    slave.pop_back();
    EXPECT_EQ(slave.rfind("/dev/pts/", 0), 0u) << slave;

    char target[256] = {};
    ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), slave);

    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0);
    std::fclose(stream);
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
    for (const char* option : {"--link", "--noise", "--bad-checksum", "--silence", "--delay-ms", "--error",
                               "--error-closing", "--hangup", "--stream", "--roll", "--state"})
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

} // namespace
