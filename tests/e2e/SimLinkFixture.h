#pragma once
// The link on COM1, which is a symbolic link to the pseudo-terminal an in-process nx3sim serves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "FakeLinkUi.h"
#include "LinkError.h"
#include "PosixSerialLine.h"
#include "PtyServer.h"
#include "TNX3Class.h"

namespace nubra::testing {

class SimLinkFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "nx3sim-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        comPath = dir + "/COM1";
        server = std::make_unique<sim::PtyServer>(sim::Nx3Device(), comPath);
        server->Start();
        link = MakeLink(ui);
        ASSERT_TRUE(link->OpenPort(1));
    }

    void TearDown() override {
        link.reset();
        server.reset();
        ::rmdir(dir.c_str());
    }

    std::unique_ptr<TNX3Class> MakeLink(FakeLinkUi& owner) {
        auto line = std::make_unique<PosixSerialLine>();
        line->SetDevicePath(1, comPath);
        auto made = std::make_unique<TNX3Class>("/tmp/", owner, std::move(line));
        owner.Link = made.get();
        return made;
    }

    // The same device again, its answers now at the pace of a 9600-baud line.
    void PaceTheLine() {
        link->ClosePort();
        sim::Nx3Device device(server->WithDevice([](sim::Nx3Device& d) { return d.State(); }));
        server = std::make_unique<sim::PtyServer>(std::move(device), comPath);
        server->SetLineRate(sim::PtyServer::kLineRate);
        server->Start();
        ASSERT_TRUE(link->OpenPort(1));
    }

    template <typename Fn> decltype(auto) Device(Fn&& fn) { return server->WithDevice(std::forward<Fn>(fn)); }

    // "B2" as the link runs it: code, data frame, closing code. Returns the data.
    std::string AskB2() {
        std::string reply;
        link->SendCommand("B2", reply);
        EXPECT_EQ(reply, "I1");
        std::string data;
        link->ReceiveFrame(data);
        link->ReceiveReply(reply);
        EXPECT_EQ(reply, "D1");
        return data;
    }

    // The message of the LinkError fn raises; empty when it raises none.
    template <typename Fn> static std::string ErrorOf(Fn&& fn) {
        try {
            fn();
        } catch (const LinkError& e) {
            return e.what();
        }
        return {};
    }

    std::string dir;
    std::string comPath;
    std::unique_ptr<sim::PtyServer> server;
    FakeLinkUi ui;
    std::unique_ptr<TNX3Class> link;
};

} // namespace nubra::testing
