#pragma once
// The only way the link reaches the user. The Qt windows implement it; tests use a recording fake.
// Texts are the program's own messages in UTF-8; log lines are the raw bytes that crossed the line.
#include <string>

namespace nubra {

enum class MessageIcon { None, Information, Warning, Error };

class LinkUi {
public:
    virtual ~LinkUi() = default;

    // A message box with the caption "nubra5".
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // The error window (TFormError::ShowError), modal.
    virtual void ShowError(const std::string& text) = 0;
    // The wait window. Showing it clears the link's AbortRequested, hiding it sets the flag.
    virtual void ShowWait() = 0;
    virtual void HideWait() = 0;
    // Lets pending window events run during a wait.
    virtual void ProcessMessages() = 0;
    // One log line: dropped unless the log window is visible.
    virtual void AddLogLine(const std::string& bytes) = 0;
    // The application-starting cursor while an exchange runs, the default one after it. A state, not
    // a counter: the last call wins. Exchange operations call one another (SendCommand reads its
    // reply with ReceiveFrame; WaitForReply begins its wait again for an "X2" code), so true may come
    // several times in a row, and one false restores the default cursor.
    virtual void SetBusyCursor(bool busy) = 0;
};

// Nobody to tell: a service's or a probe's link, which keeps what it needs by overriding.
class SilentLinkUi : public LinkUi {
public:
    void ShowMessage(const std::string&, MessageIcon) override {}
    void ShowError(const std::string&) override {}
    void ShowWait() override {}
    void HideWait() override {}
    void ProcessMessages() override {}
    void AddLogLine(const std::string&) override {}
    void SetBusyCursor(bool) override {}
};

} // namespace nubra
