#pragma once
// The record editor a table builds from its own field definitions: add (1), insert (2), edit (3) or
// delete (4) the current record. One edit box per field that is not ftAutoInc, named "E_" + the
// field name made a component name ("NAZWA 1" gives "E_NAZWA81"), upper-case input. A value that
// does not convert, or a record Post refuses, shows the dialog again with the typed texts.
// Modal runs go through ExecModal (TableModal.h).
#include <QDialog>
#include <QString>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nubra {
class TMyTable;
}

namespace nubra::tables_qt {

enum RecordMode { ModeAdd = 1, ModeInsert = 2, ModeEdit = 3, ModeDelete = 4 };

// Runs the editor for the table's current record; errors of the engine other than a refused value
// propagate to the caller.
void RecordDialog(TMyTable& table, int mode, QWidget* parent = nullptr);

// "E_" + name cut to 18 characters; characters other than ASCII letters, digits and "_" become
// the decimal number of their 1-based position.
QString ComponentName(const QString& fieldName);
QString ModeTitle(int mode);

// The generated window of modes 1 to 3.
class TRecordDialog : public QDialog {
    Q_OBJECT
public:
    TRecordDialog(const TMyTable& table, int mode, QWidget* parent = nullptr);

    // Edit box of each field, nullptr for ftAutoInc fields.
    const std::vector<QLineEdit*>& Edits() const { return edits_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    std::vector<QLineEdit*> edits_;
    std::vector<QLabel*> labels_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace nubra::tables_qt
