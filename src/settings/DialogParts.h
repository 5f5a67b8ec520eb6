#pragma once
// The small pieces the settings dialogs are built from, so each dialog reads as its list of controls.
#include <QGroupBox>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string>

#include "DeviceText.h"

class QButtonGroup;
class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace nubra::settings {

// Modal results of the program's dialogs (QDialog::done values).
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// A push button named name that ends dialog with result.
QPushButton* ResultButton(QDialog* dialog, const char* name, const QString& caption, int result);
// "Tip|Status text": the tooltip and the status-bar text of a control.
void SetHint(QWidget* control, const QString& hint);
// A label attached to its field, so the field is found by the label's text.
QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent);
// The buttons in a row at the right.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);
using app::FromDevice;
using app::ToDevice;
using app::ToDeviceAsIs;
// A masked edit's text with its blanks in place as spaces (QLineEdit::text() drops them).
QString MaskedText(const QLineEdit* edit);

// A group box of radio buttons in columns; the chosen item's index as in a radio group.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const char* name, const QString& caption, const QStringList& items, int columns,
                QWidget* parent);

    int ItemIndex() const;
    void SetItemIndex(int index);

private:
    QButtonGroup* group_;
};

} // namespace nubra::settings
