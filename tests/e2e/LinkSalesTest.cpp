// The link's sale methods against the emulator, and the emulator's state kept in its file.
#include <atomic>
#include <cstdio>
#include <memory>

#include "DeviceStateFile.h"
#include "SimLinkFixture.h"

namespace {

using nubra::CommodInfo;
using nubra::SaleGoods;
using nubra::SalePayment;
using nubra::sim::DeviceState;
using nubra::sim::DeviceStateFile;
using nubra::sim::Nx3Device;
using nubra::testing::SimLinkFixture;
using LinkSales = SimLinkFixture;

const SalePayment kCash{"G", "", "", "", "", "", ""};

TEST_F(LinkSales, StartGivesTheTransactionNumberOnlyAfterD1) {
    int tranNo = -1;
    ASSERT_TRUE(link->StartTrans(4, 5100, tranNo));
    EXPECT_EQ(tranNo, 1);
    tranNo = -1;
    EXPECT_FALSE(link->StartTrans(4, 5100, tranNo));
    EXPECT_EQ(link->LastReply(), "D4");
    EXPECT_EQ(tranNo, -1);
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Trwa aktywna transakcja obsługiwana przez dany rejestr."});
}

TEST_F(LinkSales, ASaleAfterTheTransactionRanOutOfTimeIsToldWhy) {
    auto host = std::make_shared<std::atomic<std::int64_t>>(1'000'000);
    Device([host](Nx3Device& d) {
        d.SetHostClock([host] { return host->load(); });
        d.State().transactionTimeoutSeconds = 60;
    });
    int tranNo = 0;
    ASSERT_TRUE(link->StartTrans(1, 10000, tranNo));
    *host += 60;
    EXPECT_FALSE(link->SellReceiptCash(1, tranNo, SaleGoods{"CHLEB", "A", 100, 450}, kCash));
    EXPECT_EQ(ui.Errors,
              std::vector<std::string>{"Transakcja anulowana, upłyną maksymalny czas trwania transakcji."});
}

TEST_F(LinkSales, GoodsInformationIsCutIntoItsFields) {
    Device([](Nx3Device& d) { d.State().goods.clear(); });
    ASSERT_TRUE(link->DetectCodePage()); // names then travel in capitals
    int tranNo = 0;
    ASSERT_TRUE(link->StartTrans(1, 10000, tranNo));
    ASSERT_TRUE(link->SellReceiptCash(1, tranNo, SaleGoods{"Kawa", "B", 100, 1999}, kCash));
    CommodInfo info;
    ASSERT_TRUE(link->GetCommodInfo("kawa", info));
    EXPECT_EQ(info.PtuIndex + "|" + info.RateChanged + "|" + info.ListIndicator + "|" + info.LastRate,
              "B|N|  0| 8,00");

    CommodInfo none;
    EXPECT_FALSE(link->GetCommodInfo("HERBATA", none));
    EXPECT_EQ(none.PtuIndex + none.RateChanged + none.ListIndicator + none.LastRate, "");
    EXPECT_EQ(ui.Errors.back(), "Dany towar nie był dotychczas rejestrowany.");
}

TEST_F(LinkSales, StateFileFollowsEveryChangeAndBringsItBack) {
    const std::string file = dir + "/stan.txt";
    auto stateFile = std::make_shared<DeviceStateFile>(file);
    Nx3Device device;
    device.SetStateObserver([stateFile](const DeviceState& s) { ASSERT_TRUE(stateFile->Save(s)); });
    link->ClosePort();
    server = std::make_unique<nubra::sim::PtyServer>(std::move(device), comPath);
    server->Start();
    ASSERT_TRUE(link->OpenPort(1));

    int tranNo = 0;
    ASSERT_TRUE(link->StartTrans(2, 5100, tranNo));
    ASSERT_TRUE(link->SellReceiptCash(2, tranNo, SaleGoods{"CHLEB", "A", 100, 450}, kCash));
    const std::string now = Device([](Nx3Device& d) { return DeviceStateFile::ToText(d.State()); });

    // A restart reads what the last command left.
    DeviceState restarted;
    std::string error;
    DeviceStateFile again(file);
    ASSERT_TRUE(again.Load(restarted, error)) << error;
    EXPECT_EQ(DeviceStateFile::ToText(restarted), now);
    EXPECT_TRUE(restarted.registers[1].documentWaiting);
    EXPECT_EQ(restarted.dayGross[0], 450);
    std::remove(file.c_str());
}

} // namespace
