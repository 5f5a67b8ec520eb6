#include "ProfileFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("nubra_profile_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / "nx3config.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void WriteFile(const std::string& content) {
        std::ofstream out(path_, std::ios::binary);
        out << content;
    }
    std::string ReadFile() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir_;
    std::string path_;
};

TEST_F(ProfileFileTest, MissingFileGivesDefaultsAndIsCreatedOnlyWhenWritten) {
    {
        nubra::ProfileFile ini(path_);
        EXPECT_EQ(ini.ReadInteger("PORT", "com", 0), 0);
        EXPECT_EQ(ini.ReadString("CURRENCY", "Native", "PLN"), "PLN");
        EXPECT_FALSE(ini.HasKey("PORT", "com"));
    }
    EXPECT_FALSE(std::filesystem::exists(path_));
    {
        nubra::ProfileFile ini(path_);
        ini.WriteInteger("PORT", "com", 0);
        ini.WriteInteger("FORM MAIN", "Left", 527);
        ini.WriteString("CURRENCY", "Native", "PLN");
    }
    EXPECT_EQ(ReadFile(), "[PORT]\ncom=0\n[FORM MAIN]\nLeft=527\n[CURRENCY]\nNative=PLN\n");
}

TEST_F(ProfileFileTest, NamesMatchIgnoringCaseAndBlanks) {
    WriteFile("[port]\n  COM =  3  \n[ Tool Bar 1 ]\ntop=32\n");
    nubra::ProfileFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("PORT", "com", 0), 3);
    EXPECT_EQ(ini.ReadInteger("TOOL BAR 1", "Top", -1), 32);
    EXPECT_EQ(ini.ReadString("Port", "Com", ""), "3");
}

TEST_F(ProfileFileTest, ReadIntegerTakesDecimalOrHexOtherwiseTheDefault) {
    struct Row {
        const char* value;
        int expected;
    };
    const Row rows[] = {{"12", 12},   {"-7", -7},  {"+4", 4},   {"0x1F", 31}, {"0X10", 16},
                        {"", 99},     {"abc", 99}, {"12a", 99}, {"1 2", 99},  {"99999999999", 99},
                        {"\"5\"", 5}, {"'6'", 6},  {"0x", 99}};
    std::string content = "[S]\n";
    for (size_t i = 0; i < std::size(rows); ++i)
        content += "k" + std::to_string(i) + "=" + rows[i].value + "\n";
    WriteFile(content);
    nubra::ProfileFile ini(path_);
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(ini.ReadInteger("S", "k" + std::to_string(i), 99), rows[i].expected) << rows[i].value;
}

TEST_F(ProfileFileTest, FirstOfDuplicateSectionsAndKeysWins) {
    WriteFile("[A]\nx=1\nx=2\n[A]\nx=3\ny=4\n");
    nubra::ProfileFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 0);
}

TEST_F(ProfileFileTest, WritesKeepOtherLinesAndPlaceNewKeysInTheirSection) {
    WriteFile("; kept comment\n[PORT]\ncom=1\nCOM1=/dev/pts/7\n\n[Other]\nfree text line\nz=9\n");
    {
        nubra::ProfileFile ini(path_);
        ini.WriteInteger("port", "COM", 2); // existing key keeps its place, takes the written name
        ini.WriteString("PORT", "COM2", "/dev/ttyUSB0");
        ini.WriteString("NEW", "a", "b");
    }
    EXPECT_EQ(ReadFile(), "; kept comment\n[PORT]\nCOM=2\nCOM1=/dev/pts/7\nCOM2=/dev/ttyUSB0\n\n"
                          "[Other]\nfree text line\nz=9\n[NEW]\na=b\n");
}

TEST_F(ProfileFileTest, CrlfFileStaysCrlf) {
    WriteFile("[PORT]\r\ncom=1\r\n");
    {
        nubra::ProfileFile ini(path_);
        EXPECT_EQ(ini.ReadInteger("PORT", "com", 0), 1);
        ini.WriteInteger("PORT", "com", 4);
    }
    EXPECT_EQ(ReadFile(), "[PORT]\r\ncom=4\r\n");
}

TEST_F(ProfileFileTest, ByteOrderMarkDoesNotHideTheFirstSectionAndIsKept) {
    WriteFile("\xEF\xBB\xBF[PORT]\r\ncom=2\r\n");
    {
        nubra::ProfileFile ini(path_);
        EXPECT_EQ(ini.ReadInteger("PORT", "com", 0), 2);
        ini.WriteInteger("PORT", "com", 3);
    }
    EXPECT_EQ(ReadFile(), "\xEF\xBB\xBF[PORT]\r\ncom=3\r\n");
}

TEST_F(ProfileFileTest, UnchangedProfileIsNotRewritten) {
    WriteFile("[PORT]\ncom=1\n   odd   spacing = kept\n");
    {
        nubra::ProfileFile ini(path_);
        ini.WriteInteger("PORT", "com", 1); // same text: no change
        std::filesystem::remove(path_);
    }
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(ProfileFileTest, FlushFailureKeepsChangesPending) {
    const std::string blocked = (dir_ / "sub").string();
    std::filesystem::create_directories(blocked); // a directory where the file should be
    nubra::ProfileFile ini(blocked);
    ini.WriteInteger("PORT", "com", 1);
    EXPECT_FALSE(ini.Flush());
    EXPECT_EQ(ini.ReadInteger("PORT", "com", 0), 1);
}

TEST_F(ProfileFileTest, ValueAfterFirstEqualsSignIsKeptWhole) {
    WriteFile("[PORT]\nCOM1 = /dev/serial/by-id/usb=x \n");
    nubra::ProfileFile ini(path_);
    EXPECT_EQ(ini.ReadString("PORT", "COM1", ""), "/dev/serial/by-id/usb=x");
}

TEST_F(ProfileFileTest, HandEditsMadeWhileRunningSurviveTheWrite) {
    WriteFile("; ustawienia\n[PORT]\ncom=1\nCOM2=/dev/ttyS1\n[FORM MAIN]\nLeft=10\n");
    {
        nubra::ProfileFile ini(path_);
        WriteFile("; ustawienia\n[PORT]\ncom=1\nCOM2=/dev/ttyUSB0\n[FORM MAIN]\nLeft=10\nTop=7\n"
                  "[MOJE]\nklucz=wartość\n");
        ini.WriteInteger("PORT", "com", 2);
        ini.WriteInteger("FORM MAIN", "Left", 10); // unchanged: the file's own value stays
        ini.WriteInteger("FORM MAIN", "Width", 800);
    }
    EXPECT_EQ(ReadFile(), "; ustawienia\n[PORT]\ncom=2\nCOM2=/dev/ttyUSB0\n[FORM MAIN]\nLeft=10\nTop=7\n"
                          "Width=800\n[MOJE]\nklucz=wartość\n");
}

#ifndef _WIN32 // symbolic links and POSIX permissions
TEST_F(ProfileFileTest, WriteGoesThroughALinkAndKeepsPermissions) {
    const std::string real = (dir_ / "real.ini").string();
    {
        std::ofstream out(real);
        out << "[PORT]\ncom=1\n";
    }
    std::filesystem::permissions(real,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(real, path_);
    {
        nubra::ProfileFile ini(path_);
        ini.WriteInteger("PORT", "com", 3);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(ReadFile(), "[PORT]\ncom=3\n");
    EXPECT_EQ(std::filesystem::status(real).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()),
              2);
}
#endif

// None of these may block, exhaust memory or be overwritten: the defaults and a message instead.
TEST_F(ProfileFileTest, OnlyARegularFileOfSaneSizeIsRead) {
    const std::string notRegular =
        "Plik ustawień " + path_ + " nie jest zwykłym plikiem. Program używa ustawień domyślnych.";
    const std::string tooLarge =
        "Plik ustawień " + path_ + " jest zbyt duży (ponad 1 MB). Program używa ustawień domyślnych.";
    struct Case {
        std::function<void()> make;
        std::string message;
    };
    const std::vector<Case> cases = {
#ifndef _WIN32
        {[&] { ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0); }, notRegular},
        {[&] { std::filesystem::create_symlink("/dev/zero", path_); }, notRegular},
#endif
        {[&] { WriteFile("[PORT]\ncom=1\n" + std::string(nubra::ProfileFile::kMaxSize, ';')); }, tooLarge},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(path_);
        c.make();
        nubra::ProfileFile ini(path_);
        EXPECT_EQ(ini.LoadError(), c.message);
        EXPECT_EQ(ini.ReadInteger("PORT", "com", 0), 0);
        ini.WriteInteger("PORT", "com", 4);
        EXPECT_FALSE(ini.Flush());
    }
    EXPECT_EQ(std::filesystem::file_size(path_), 13 + nubra::ProfileFile::kMaxSize);
}

} // namespace
