// probe finds the emulator behind a COM key, tells a device another program holds, and lists the
// serial devices of the device folder.
#include <fstream>

#include "CliFixture.h"
#include "PosixSerialLine.h"
#include "ProbeOps.h"
#include "ProfileFile.h"

namespace nubra::testing {
namespace {

TEST_F(CliFixture, ProbeFindsTheEmulatorAndABusyDevice) {
    sim::PtyServer other(sim::Nx3Device(), dir + "/held");
    other.Start();
    PosixSerialLine holder;
    holder.SetDevicePath(1, dir + "/held");
    ASSERT_EQ(holder.Open(1), SerialLine::OpenResult::Ok);

    const ops::ProbeOutcome found = ops::ProbeDevice(comPath, dir + "/");
    EXPECT_EQ(found.state, ops::ProbeOutcome::State::Nx3);
    EXPECT_EQ(found.uniqueNumber, "ABC12345678");
    EXPECT_EQ(found.codePage, "Mazovia");
    EXPECT_EQ(ops::ProbeDevice(dir + "/held", dir + "/").state, ops::ProbeOutcome::State::Busy);
    EXPECT_EQ(ops::ProbeDevice(dir + "/none", dir + "/").state, ops::ProbeOutcome::State::Unavailable);

    WriteConfig("[PORT]\nCOM1=" + comPath + "\nCOM3=" + dir + "/held\n");
    const CliRunResult r = RunPlain({"probe"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(
        r.out.find("COM1 (" + comPath + "): NX-3, numer unikatowy ABC12345678, strona kodowa Mazovia\n"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("COM3 (" + dir + "/held): zajęte\n"), std::string::npos) << r.out;
}

TEST_F(CliFixture, ProbeTargetsAreTheComKeysThenTheSerialDevices) {
    const std::string dev = dir + "/dev";
    std::filesystem::create_directory(dev);
    for (const char* name : {"ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "tty", "null", "ttyS"})
        std::ofstream(dev + "/" + name);
    WriteConfig("[PORT]\nCOM2=/dev/x\ncom=2\nCOM1=" + dev + "/ttyS2\n");
    const ProfileFile config(dir + "/nx3config.ini");
    std::vector<std::string> names;
    for (const ops::ProbeTarget& t : ops::ProbeTargets(config, dev))
        names.push_back(t.name == t.path ? t.path.substr(dev.size() + 1) : t.name);
    EXPECT_EQ(names, (std::vector<std::string>{"COM1", "COM2", "ttyS10", "ttyACM1", "ttyUSB0"}));
}

} // namespace
} // namespace nubra::testing
