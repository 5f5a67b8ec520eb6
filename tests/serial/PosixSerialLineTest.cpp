#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "FakeLinkUi.h"
#include "PosixSerialLine.h"
#include "TNX3Class.h"

namespace nubra {
namespace {

// A pseudo-terminal: the test plays the printer on the master side.
class PtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        int slave = -1;
        char name[256] = {};
        ASSERT_EQ(::openpty(&master_, &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        path_ = name;
    }
    void TearDown() override {
        if (master_ >= 0)
            ::close(master_);
    }

    std::string ReadMaster(std::size_t count) {
        std::string got;
        while (got.size() < count) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0)
                break;
            char buf[64];
            const ssize_t n = ::read(master_, buf, std::min(sizeof buf, count - got.size()));
            if (n <= 0)
                break;
            got.append(buf, static_cast<std::size_t>(n));
        }
        return got;
    }
    void WriteMaster(const std::string& bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    int master_ = -1;
    std::string path_;
};

TEST(PosixSerialLine, DefaultDevicePaths) {
    PosixSerialLine line;
    EXPECT_EQ(line.DevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(line.DevicePath(4), "/dev/ttyS3");
    EXPECT_EQ(line.DevicePath(5), "");
    line.SetDevicePath(2, "/tmp/nx3");
    EXPECT_EQ(line.DevicePath(2), "/tmp/nx3");
}

TEST(PosixSerialLine, MissingDeviceFailsToOpen) {
    PosixSerialLine line;
    line.SetDevicePath(1, "/nonexistent/tty");
    EXPECT_EQ(line.Open(1), SerialLine::OpenResult::OpenFailed);
    EXPECT_EQ(line.Open(7), SerialLine::OpenResult::OpenFailed);
    EXPECT_FALSE(line.IsOpen());
    EXPECT_EQ(line.ReadByte(), -1);
    EXPECT_FALSE(line.Write("x"));
    EXPECT_FALSE(line.Purge());
    EXPECT_FALSE(line.SetReadTimeout(10));
}

TEST_F(PtyTest, RawNineSixHundredEightNoneOne) {
    PosixSerialLine line;
    line.SetDevicePath(1, path_);
    ASSERT_EQ(line.Open(1), SerialLine::OpenResult::Ok);
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios tio{};
    if (fd >= 0) { // as root the exclusive flag does not stop this second look
        ASSERT_EQ(::tcgetattr(fd, &tio), 0);
        ::close(fd);
        EXPECT_EQ(cfgetospeed(&tio), B9600);
        EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB), 0u);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    }
}

TEST_F(PtyTest, ControlBytesPassBothWays) {
    PosixSerialLine line;
    line.SetDevicePath(2, path_);
    ASSERT_EQ(line.Open(2), SerialLine::OpenResult::Ok);
    ASSERT_TRUE(line.SetReadTimeout(2000));
    const std::string bytes("\x02\x11\x13\x0D\x0A\x03\xFF\x00\x1A", 9);
    ASSERT_TRUE(line.Write(bytes));
    EXPECT_EQ(ReadMaster(bytes.size()), bytes);
    WriteMaster(bytes);
    std::string got;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int b = line.ReadByte();
        ASSERT_GE(b, 0) << i;
        got += static_cast<char>(b);
    }
    EXPECT_EQ(got, bytes);
}

TEST_F(PtyTest, ReadTimesOutAndPurgeDropsInput) {
    PosixSerialLine line;
    line.SetDevicePath(1, path_);
    ASSERT_EQ(line.Open(1), SerialLine::OpenResult::Ok);
    ASSERT_TRUE(line.SetReadTimeout(10));
    EXPECT_EQ(line.ReadByte(), -1);
    WriteMaster("abc");
    ASSERT_TRUE(line.SetReadTimeout(2000));
    EXPECT_EQ(line.ReadByte(), 'a');
    ASSERT_TRUE(line.Purge());
    ASSERT_TRUE(line.SetReadTimeout(10));
    EXPECT_EQ(line.ReadByte(), -1);
}

TEST_F(PtyTest, SecondOpenIsRefusedUntilTheFirstCloses) {
    PosixSerialLine first;
    PosixSerialLine second;
    first.SetDevicePath(1, path_);
    second.SetDevicePath(1, path_);
    ASSERT_EQ(first.Open(1), SerialLine::OpenResult::Ok);
    EXPECT_EQ(second.Open(1), SerialLine::OpenResult::OpenFailed);
    EXPECT_TRUE(first.Close());
    EXPECT_EQ(second.Open(1), SerialLine::OpenResult::Ok);
}

TEST_F(PtyTest, LinkReportsAPortHeldByAnotherApplication) {
    PosixSerialLine holder;
    holder.SetDevicePath(3, path_);
    ASSERT_EQ(holder.Open(3), SerialLine::OpenResult::Ok);

    testing::FakeLinkUi ui;
    auto line = std::make_unique<PosixSerialLine>();
    line->SetDevicePath(3, path_);
    TNX3Class link("/", ui, std::move(line));
    EXPECT_FALSE(link.OpenPort(3));
    EXPECT_FALSE(link.PortOpen);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].text, "Nie udało się otworzyć portu COM3. Mogło się zdarzyć, że "
                                   "inna\r\naplikacja już wykorzystuje dany port.\r\nUrządzenie: " +
                                       path_ +
                                       " (port jest zajęty przez inny program; zamknij go i spróbuj "
                                       "ponownie)");
    EXPECT_EQ(ui.Messages[0].icon, MessageIcon::Error);
}

// Runs body in a child process as an ordinary user (nobody when the tests run as root); its result
// is the child's exit status. The child may be left waiting on hold until it is killed.
class AsUser {
public:
    explicit AsUser(const std::function<int()>& body) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                std::_Exit(99);
            const char status = static_cast<char>(body());
            [[maybe_unused]] const ssize_t n = ::write(ready[1], &status, 1);
            for (;;)
                ::pause(); // holds what it opened until killed
        }
        ::close(ready[1]);
        char status = 99;
        if (::read(ready[0], &status, 1) != 1)
            status = 98;
        ::close(ready[0]);
        result_ = status;
    }
    ~AsUser() { Kill(); }
    int Result() const { return result_; }
    void Kill() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int result_ = 99;
};

TEST_F(PtyTest, PortComesBackAfterAKillAndStaysExclusiveForTheLiving) {
    ASSERT_EQ(::chmod(path_.c_str(), 0666), 0);
    const std::string path = path_;
    const auto open = [path] {
        auto* line = new PosixSerialLine; // held until the child is killed
        line->SetDevicePath(1, path);
        return line->Open(1) == SerialLine::OpenResult::Ok ? 0 : 1;
    };
    AsUser killed(open);
    ASSERT_EQ(killed.Result(), 0);
    {
        AsUser second(open);
        EXPECT_EQ(second.Result(), 1); // a live holder still refuses everyone else
    }
    killed.Kill();
    AsUser after(open);
    EXPECT_EQ(after.Result(), 0);
}

// The device and the reason follow the message, as the user can act on them.
TEST_F(PtyTest, FailedOpenNamesTheDeviceAndTheReason) {
    const std::string file = ::testing::TempDir() + "nubra_not_a_tty_" + std::to_string(::getpid());
    { std::ofstream(file) << "x"; }
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    struct Case {
        std::string path;
        bool asUser;
        std::string detail;
    };
    const std::vector<Case> cases = {
        {"/nonexistent/ttyS1", false,
         "Urządzenie: /nonexistent/ttyS1 (brak takiego urządzenia; sprawdź, czy kasa jest podłączona, albo "
         "wskaż inne urządzenie w pliku nx3config.ini)"},
        {file, true,
         "Urządzenie: " + file +
             " (brak uprawnień: użytkownik musi należeć do grupy dialout; dodaje go polecenie "
             "sudo usermod -aG dialout $USER, po nim należy wylogować się i zalogować ponownie)"},
        {"/dev/null", false, "Urządzenie: /dev/null (to nie jest port szeregowy)"},
        {"", false, "Urządzenie: brak (nie przypisano urządzenia do portu COM1)"},
    };
    for (const Case& c : cases) {
        PosixSerialLine line;
        line.SetDevicePath(1, c.path);
        if (c.asUser && ::geteuid() != 0)
            continue; // the file is the user's own
        if (!c.asUser) {
            EXPECT_EQ(line.Open(1), SerialLine::OpenResult::OpenFailed);
            EXPECT_EQ(line.OpenFailureDetail(), c.detail);
            continue;
        }
        const std::string expected = c.detail;
        AsUser user([&line, expected] {
            return line.Open(1) == SerialLine::OpenResult::OpenFailed &&
                           line.OpenFailureDetail() == expected &&
                           line.LastOpenFailure() == PortSerialLine::OpenFailure::Denied
                       ? 0
                       : 1;
        });
        EXPECT_EQ(user.Result(), 0) << c.path;
    }
    std::remove(file.c_str());
}

// A line that hung up says so at once and on every read after: it is not a read that may be tried
// again. (A pseudo-terminal drops what its slave had not read when the master closes.)
TEST_F(PtyTest, HungUpLineIsGoneAtOnce) {
    PosixSerialLine line;
    line.SetDevicePath(1, path_);
    ASSERT_EQ(line.Open(1), SerialLine::OpenResult::Ok);
    ASSERT_TRUE(line.SetReadTimeout(2000));
    WriteMaster("a");
    EXPECT_EQ(line.ReadByte(), 'a');
    ::close(master_);
    master_ = -1;
    std::vector<PosixSerialLine::Clock::duration> pauses;
    line.Pause = [&](PosixSerialLine::Clock::duration d) { pauses.push_back(d); };
    EXPECT_EQ(line.ReadByte(), SerialLine::kLineGone);
    EXPECT_EQ(line.ReadByte(), SerialLine::kLineGone);
    EXPECT_TRUE(pauses.empty());
    EXPECT_FALSE(line.Write("x"));
}

TEST_F(PtyTest, LinkExchangesOverThePty) {
    testing::FakeLinkUi ui;
    auto owned = std::make_unique<PosixSerialLine>();
    owned->SetDevicePath(1, path_);
    TNX3Class link("/", ui, std::move(owned));
    link.Sleep = [](int) {};
    ASSERT_TRUE(link.OpenPort(1));
    WriteMaster("stale\x02I1\x03"
                "87"); // an old answer, purged before the command goes out
    std::string command;
    std::thread printer([&] {
        command = ReadMaster(6);
        WriteMaster("\x02"
                    "D2\x03" +
                    TNX3Class::Checksum("D2"));
    });
    std::string reply;
    link.SendCommand("B2", reply);
    printer.join();
    EXPECT_EQ(command, "\x02"
                       "B2\x03"
                       "8F");
    EXPECT_EQ(reply, "D2");
    link.ClosePort();
    EXPECT_FALSE(link.PortOpen);
}

} // namespace
} // namespace nubra
