#pragma once
// How the table windows run their modal dialogs and message boxes. The program routes them through
// its dialog seam; tests answer them directly. The default runs the dialog's own event loop.
#include <QMessageBox>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace nubra {
class TMyTable;
}

namespace nubra::tables_qt {

using ExecHook = std::function<int(QDialog&)>;

// nullptr restores the default.
void SetExecHook(ExecHook hook);
int ExecModal(QDialog& dialog);

// A plain message box with the program's caption, as the engine's refusals and the editor's field
// messages are shown.
void ShowPlainMessage(QWidget* parent, const QString& text);
// Shows the engine's refusals of the table (record limit, missing required value) as plain messages.
void RouteTableMessages(TMyTable& table);
// A Yes/No question with its own title; true for Yes.
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);

} // namespace nubra::tables_qt
