#include "QtLinkUi.h"

#include <QApplication>

#include "MessageBox.h"
#include "TFormError.h"
#include "TFormLogWindow.h"
#include "TFormWait.h"

namespace nubra::app {

QtLinkUi::QtLinkUi(QWidget* messageParent) : messageParent_(messageParent) {}

QtLinkUi::~QtLinkUi() {
    SetBusyCursor(false);
}

void QtLinkUi::SetErrorWindow(TFormError* window) {
    error_ = window;
}
void QtLinkUi::SetWaitWindow(TFormWait* window) {
    wait_ = window;
}
void QtLinkUi::SetLogWindow(TFormLogWindow* window) {
    log_ = window;
}

void QtLinkUi::ShowMessage(const std::string& text, MessageIcon icon) {
    ShowMessageBox(messageParent_, ToQtIcon(icon), ProgramText(text));
}

void QtLinkUi::ShowError(const std::string& text) {
    ++errorsShown_;
    if (error_)
        error_->ShowError(ProgramText(text));
    else
        ShowMessageBox(messageParent_, QMessageBox::Critical, ProgramText(text));
}

void QtLinkUi::ShowWait() {
    if (!wait_)
        return;
    wait_->show();
    wait_->raise();
}

void QtLinkUi::HideWait() {
    if (wait_)
        wait_->hide();
}

void QtLinkUi::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtLinkUi::AddLogLine(const std::string& bytes) {
    if (log_)
        log_->AddLogLine(bytes);
}

void QtLinkUi::SetBusyCursor(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace nubra::app
