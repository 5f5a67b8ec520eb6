#include "ScriptedDialogs.h"

#include <QDialog>

int ScriptedDialogs::Exec(QDialog& dialog) {
    ShownDialog d;
    d.className = QString::fromLatin1(dialog.metaObject()->className());
    d.title = dialog.windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        d.text = box->text();
        d.icon = box->icon();
        d.buttons = box->standardButtons();
    }
    shown.push_back(d);
    if (!answers_.empty()) {
        auto answer = std::move(answers_.front());
        answers_.pop_front();
        return answer(dialog);
    }
    return qobject_cast<QMessageBox*>(&dialog) ? int(QMessageBox::Ok) : int(QDialog::Rejected);
}
