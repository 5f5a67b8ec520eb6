#pragma once
// A link on a scripted line with a recording window layer; pauses are recorded, not slept.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeLinkUi.h"
#include "ScriptedLine.h"
#include "TNX3Class.h"

namespace nubra::testing {

class LinkFixture : public ::testing::Test {
protected:
    LinkFixture() {
        auto owned = std::make_unique<ScriptedLine>();
        line = owned.get();
        link = std::make_unique<TNX3Class>("/opt/nubra5/", ui, std::move(owned));
        ui.Link = link.get();
        link->Sleep = [this](int ms) { sleeps.push_back(ms); };
    }

    // Opens COM1 and forgets what that did, so a test sees only its own exchange.
    void Open() {
        ASSERT_TRUE(link->OpenPort(1));
        ui.CursorCalls.clear();
    }

    static std::string Frame(const std::string& payload) { return TNX3Class::Frame(payload); }

    FakeLinkUi ui;
    ScriptedLine* line = nullptr;
    std::unique_ptr<TNX3Class> link;
    std::vector<int> sleeps;
};

// Every busy cursor is followed by the default one, and the cursor ends at the default.
inline ::testing::AssertionResult CursorBalanced(const FakeLinkUi& ui) {
    if (ui.CursorCalls.empty())
        return ::testing::AssertionFailure() << "no cursor change";
    if (ui.Busy)
        return ::testing::AssertionFailure() << "cursor left busy";
    return ::testing::AssertionSuccess();
}

} // namespace nubra::testing
