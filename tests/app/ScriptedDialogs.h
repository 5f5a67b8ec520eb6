#pragma once
// The dialog seam for window tests: records every modal dialog and message box and answers it at
// once, from a queue of answers or with a default (Ok for a message box, Rejected for a dialog).
#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <vector>

#include "DialogSeam.h"

struct ShownDialog {
    QString className;
    QString title;
    QString text; // a message box's text
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

class ScriptedDialogs : public nubra::app::DialogSeam {
public:
    ScriptedDialogs() { Install(this); }
    ~ScriptedDialogs() override { Install(nullptr); }

    // The next dialog is answered by this function (it may look at and change the dialog).
    void Answer(std::function<int(QDialog&)> answer) { answers_.push_back(std::move(answer)); }

    int Exec(QDialog& dialog) override;
    bool OpenUrl(const QUrl& url) override {
        urls.push_back(url);
        return openUrlResult;
    }

    std::vector<ShownDialog> shown;
    std::vector<QUrl> urls;
    bool openUrlResult = true;

private:
    std::deque<std::function<int(QDialog&)>> answers_;
};
