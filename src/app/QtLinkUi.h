#pragma once
// The link's way to the user, over the shell's windows. Windows not created yet are simply not
// used: an error text then goes to a message box, a log line is dropped, a wait shows nothing.
#include <QPointer>

#include "LinkUi.h"

class QWidget;

namespace nubra::app {

class TFormError;
class TFormLogWindow;
class TFormWait;

class QtLinkUi : public LinkUi {
public:
    // messageParent: the window message boxes are centred on.
    explicit QtLinkUi(QWidget* messageParent);
    ~QtLinkUi() override;

    void SetErrorWindow(TFormError* window);
    void SetWaitWindow(TFormWait* window);
    void SetLogWindow(TFormLogWindow* window);

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void ShowError(const std::string& text) override;
    void ShowWait() override;
    void HideWait() override;
    void ProcessMessages() override;
    void AddLogLine(const std::string& bytes) override;
    void SetBusyCursor(bool busy) override;

    bool Busy() const { return busy_; }
    // Error texts shown so far, so an action can tell a refusal already explained from a silent one.
    int ErrorsShown() const { return errorsShown_; }

private:
    QPointer<QWidget> messageParent_;
    QPointer<TFormError> error_;
    QPointer<TFormWait> wait_;
    QPointer<TFormLogWindow> log_;
    bool busy_ = false;
    int errorsShown_ = 0;
};

} // namespace nubra::app
