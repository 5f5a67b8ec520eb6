// Under wine a program does not see the QT_ variables of the shell that starts it, so the window tests
// for Windows set theirs before main: the offscreen platform, the fonts of the Linux runs (the same
// family and size, so that the sizes the tests pin come out the same), and test output on stdout
// rather than the debugger's channel.
#include <QApplication>
#include <QFont>
#include <QtGlobal>

namespace {

const bool environmentSet = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_FONTDIR", NUBRA_TEST_FONT_DIR);
    qputenv("QT_FORCE_STDERR_LOGGING", "1");
    return true;
}();

void UseTheLinuxFont() {
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(UseTheLinuxFont)
