#include "DialogSeam.h"

#include <QDesktopServices>
#include <QDialog>
#include <QUrl>

namespace nubra::app {
namespace {

class RealDialogs : public DialogSeam {
public:
    int Exec(QDialog& dialog) override { return dialog.exec(); }
    bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

RealDialogs realDialogs;
DialogSeam* installed = nullptr;

} // namespace

DialogSeam& DialogSeam::Current() {
    return installed ? *installed : realDialogs;
}

void DialogSeam::Install(DialogSeam* seam) {
    installed = seam;
}

} // namespace nubra::app
