#pragma once
// Finding a window's controls as a user does: a field by the text of its label, a button by its
// caption; pressing a button inside a dialog answered through the seam; and the fixture of the
// settings window tests.
#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QtTest>
#include <cctype>
#include <string>
#include <vector>

#include "DeviceWindowFixture.h"
#include "ScriptedDialogs.h"

namespace nubra::testing {

template <class T = QWidget> T* Field(QWidget& window, const QString& label) {
    for (QLabel* l : window.findChildren<QLabel*>()) {
        if (l->text() == label)
            return qobject_cast<T*>(l->buddy());
    }
    return nullptr;
}

inline QAbstractButton* Button(QWidget& window, const QString& caption) {
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

// Clicks the button and returns the dialog's result, as its modal loop would.
inline int Press(QDialog& dialog, const QString& caption) {
    QAbstractButton* b = Button(dialog, caption);
    [&] { QVERIFY2(b, qPrintable(caption)); }();
    if (b)
        b->click();
    return dialog.result();
}

// The program against the emulator, with what it sent and showed in the forms the settings tests compare.
class SettingsWindowFixture : public DeviceWindowFixture {
public:
    // The data frames sent after each frame of command code, in order (payloads as the line recorded them).
    std::vector<std::string> DataOf(const std::string& code) const {
        std::vector<std::string> data;
        bool in = false;
        for (const std::string& p : line->sent) {
            if (p.size() == 2 && std::isupper(static_cast<unsigned char>(p[0])))
                in = p == code;
            else if (in)
                data.push_back(p);
        }
        return data;
    }

    // What each dialog shown said: a message box its text, the error window "error", another dialog "".
    QStringList Boxes() const {
        QStringList texts;
        for (const ShownDialog& d : dialogs->shown)
            texts << (d.className == QStringLiteral("nubra::app::TFormError") ? QStringLiteral("error")
                                                                              : d.text);
        return texts;
    }
};

} // namespace nubra::testing
