#pragma once
// Small pieces the sale dialogs share: read-only texts that open a picker when clicked, and the five
// contractor fields with their labels.
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "TNX3Class.h"

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace nubra::app {

// A read-only text (ST_...): no tab stop, its value readable by a screen reader.
QLineEdit* MakeStaticText(const char* name, QWidget* parent, Qt::Alignment alignment = Qt::AlignLeft);
// A picker button ("...") with its hint.
QToolButton* MakePickButton(const char* name, const QString& hint, QWidget* parent);
// A left click on the widget runs fn.
void OnClick(QWidget* widget, std::function<void()> fn);
// Every letter typed into the edit is taken as its capital.
void UpperCaseAsTyped(QLineEdit* edit);
// A dialog's confirm and cancel buttons, right-aligned in a row: the first is the default and accepts,
// the second rejects. The caller adds the row to its layout.
struct DialogButtons {
    QPushButton* accept;
    QPushButton* reject;
    QHBoxLayout* row;
};
DialogButtons MakeDialogButtons(QDialog* dialog, const char* acceptName, const QString& acceptCaption,
                                const char* rejectName, const QString& rejectCaption);
// Places a dialog being shown over the middle of its owner.
void CentreOnOwner(QWidget* dialog);

// "Nazwa 1:", "Nazwa 2:", "Ulica:", "Miasto:", "NIP:" with ST_Nazwa1, ST_Nazwa2, ST_Ulica, ST_Miasto,
// ST_Nip, laid out in two columns of grid from row firstRow; the picker button goes beside ST_Nazwa1.
class TContractorFields {
public:
    // The contractor catalogue's fields, in the order of the texts.
    static const QStringList FieldNames;

    TContractorFields(QWidget* parent, QGridLayout* grid, int firstRow, QToolButton* pickButton);

    QLineEdit* Field(int i) const { return fields_.at(static_cast<std::size_t>(i)); }
    void Fill(const QStringList& values);
    SaleCustomer Customer() const;
    // The labels, the texts and the picker button.
    void SetVisible(bool visible);

private:
    std::array<QLineEdit*, 5> fields_{};
    std::vector<QWidget*> shown_;
};

} // namespace nubra::app
