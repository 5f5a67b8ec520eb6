#pragma once
// A recording LinkUi for tests. It behaves like the real wait window towards the link: showing it
// clears the link's AbortRequested, hiding it sets the flag. A test "presses Zamknij" by calling
// CloseWait() from an OnProcessMessages callback.
#include <functional>
#include <string>
#include <vector>

#include "LinkUi.h"
#include "TNX3Class.h"

namespace nubra::testing {

class FakeLinkUi : public LinkUi {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
    };

    // The link whose AbortRequested the wait window drives; set after the link is made.
    TNX3Class* Link = nullptr;
    // Run on every ProcessMessages, with the number of calls so far (1 for the first).
    std::function<void(int)> OnProcessMessages;

    std::vector<Message> Messages;
    std::vector<std::string> Errors;
    std::vector<std::string> LogLines;
    std::vector<bool> CursorCalls;
    // "show" / "hide" in order.
    std::vector<std::string> WaitCalls;
    int ProcessMessagesCalls = 0;
    bool WaitVisible = false;
    bool Busy = false;

    void ShowMessage(const std::string& text, MessageIcon icon) override { Messages.push_back({text, icon}); }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void ShowWait() override {
        WaitCalls.emplace_back("show");
        WaitVisible = true;
        if (Link)
            Link->AbortRequested = false;
    }
    void HideWait() override {
        WaitCalls.emplace_back("hide");
        WaitVisible = false;
        if (Link)
            Link->AbortRequested = true;
    }
    void ProcessMessages() override {
        ++ProcessMessagesCalls;
        if (OnProcessMessages)
            OnProcessMessages(ProcessMessagesCalls);
    }
    void AddLogLine(const std::string& bytes) override { LogLines.push_back(bytes); }
    void SetBusyCursor(bool busy) override {
        CursorCalls.push_back(busy);
        Busy = busy;
    }

    // The user closes the wait window.
    void CloseWait() {
        if (WaitVisible)
            HideWait();
    }
};

} // namespace nubra::testing
