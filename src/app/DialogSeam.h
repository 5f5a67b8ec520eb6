#pragma once
// Every modal dialog and message box of the program is run through this seam, so tests answer them
// without a user and without waiting. The installed seam is program-wide; the default one runs the
// dialog's own event loop.
class QDialog;
class QUrl;

namespace nubra::app {

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    // Runs the dialog modally and returns its result (QDialog::done value, or the pressed
    // QMessageBox::StandardButton for a message box).
    virtual int Exec(QDialog& dialog) = 0;
    // Hands a link (web page, e-mail) to the desktop; false when nothing could open it.
    virtual bool OpenUrl(const QUrl& url) = 0;

    static DialogSeam& Current();
    // nullptr restores the real seam. The caller keeps ownership.
    static void Install(DialogSeam* seam);
};

} // namespace nubra::app
