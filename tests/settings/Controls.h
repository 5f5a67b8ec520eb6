#pragma once
// Finding a window's controls as a user does: a field by the text of its label, a button by its
// caption; and pressing a button inside a dialog answered through the seam.
#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QtTest>

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

} // namespace nubra::testing
