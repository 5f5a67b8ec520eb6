#include "TableModal.h"

#include <QApplication>
#include <QDialog>

#include "TMyTable.h"

namespace nubra::tables_qt {
namespace {

ExecHook& Hook() {
    static ExecHook hook;
    return hook;
}

} // namespace

void SetExecHook(ExecHook hook) {
    Hook() = std::move(hook);
}

int ExecModal(QDialog& dialog) {
    return Hook() ? Hook()(dialog) : dialog.exec();
}

void ShowPlainMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("nubra5"), text, QMessageBox::Ok, parent);
    ExecModal(box);
}

void RouteTableMessages(TMyTable& table) {
    table.SetMessageHandler([](const std::string& text) {
        ShowPlainMessage(QApplication::activeModalWidget(), QString::fromStdString(text));
    });
}

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    return ExecModal(box) == QMessageBox::Yes;
}

} // namespace nubra::tables_qt
