#include "RecordDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

#include "Cp1250.h"
#include "TMyTable.h"
#include "TableError.h"
#include "TableModal.h"
#include "TextCheck.h"

namespace nubra::tables_qt {
namespace {

// Turns every typed letter into its capital, as an upper-case edit box of the platform does; a letter
// whose capital the code page lacks stays as it is (µ would become Greek Μ, which the file cannot hold).
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        unsigned char byte = 0;
        for (QChar& c : input) {
            const QChar upper = c.toUpper();
            if (upper != c && cp1250::ByteOf(upper.unicode(), byte))
                c = upper;
        }
        return Acceptable;
    }
};

QString FieldName(const TMyTable& table, int i) {
    return QString::fromStdString(cp1250::ToUtf8(table.Field(i).name));
}

} // namespace

QString ComponentName(const QString& fieldName) {
    const QString text = (QStringLiteral("E_") + fieldName).left(18);
    QString name;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool plain =
            (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        name += plain ? QString(c) : QString::number(i + 1);
    }
    return name;
}

QString ModeTitle(int mode) {
    switch (mode) {
    case ModeAdd:
        return QStringLiteral("Dodawanie rekordu");
    case ModeInsert:
        return QStringLiteral("Wstawianie rekordu");
    case ModeEdit:
        return QStringLiteral("Edycja rekordu");
    case ModeDelete:
        return QStringLiteral("Usuwanie rekordu");
    default:
        return {};
    }
}

TRecordDialog::TRecordDialog(const TMyTable& table, int mode, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ModeTitle(mode));
    if (parent)
        setFont(parent->window()->font());
    const QFontMetrics fm(font());
    const int w =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
    const int numberWidth = fm.horizontalAdvance(QStringLiteral("1234567890,99")) + 10;
    int y = 20;
    const int x = 20;
    int minLabelLeft = 20;
    int maxEditRight = 20;
    for (int i = 0; i < table.FieldCount(); ++i) {
        const FieldDef& f = table.Field(i);
        if (f.type == FieldType::ftAutoInc) {
            edits_.push_back(nullptr);
            continue;
        }
        const QString name = FieldName(table, i);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(ComponentName(name));
        edit->setValidator(new UpperCaseValidator(edit));
        int width = numberWidth;
        if (f.type == FieldType::ftString) {
            width = f.size * (w + 1) + 10;
            edit->setMaxLength(std::max(f.size, 0));
        }
        if (width < 25)
            width = 20;
        const int height = edit->sizeHint().height();
        edit->setGeometry(x, y - 3, width, height);
        auto* label = new QLabel((name + QStringLiteral(":")).left(17), this);
        label->setBuddy(edit);
        label->adjustSize();
        label->move(x - 3 - label->width(), y);
        minLabelLeft = std::min(minLabelLeft, label->x());
        maxEditRight = std::max(maxEditRight, edit->geometry().right() + 1);
        edits_.push_back(edit);
        labels_.push_back(label);
        y += height + 4;
    }
    // Labels start 20 pixels from the left edge.
    const int shift = 20 - minLabelLeft;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->move(child->x() + shift, child->y());
    const int windowWidth = std::clamp(maxEditRight - minLabelLeft + 40, 250, 600);

    ok_ = new QPushButton(QStringLiteral("Ok"), this);
    ok_->setObjectName(QStringLiteral("Ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Anuluj"), this);
    cancel_->setObjectName(QStringLiteral("Anuluj"));
    const QSize buttonSize(75, std::max(25, ok_->sizeHint().height()));
    ok_->setGeometry(windowWidth / 2 - 87, y + 10, buttonSize.width(), buttonSize.height());
    cancel_->setGeometry(windowWidth / 2 + 13, y + 10, buttonSize.width(), buttonSize.height());
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(windowWidth, y + buttonSize.height() + 25);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().width() / 2 - width() / 2, screen->geometry().height() / 2 - height() / 2);

    if (mode == ModeEdit) {
        for (int i = 0; i < table.FieldCount(); ++i)
            if (edits_[static_cast<std::size_t>(i)])
                edits_[static_cast<std::size_t>(i)]->setText(
                    QString::fromStdString(cp1250::ToUtf8(ToText(table.GetField(i)))));
    }
}

namespace {

// Shows the dialog until the record is posted (true) or the dialog is closed (false).
bool RunEditLoop(TMyTable& table, int mode, TRecordDialog& dialog) {
    while (ExecModal(dialog) == QDialog::Accepted) {
        if (mode == ModeAdd)
            table.Append();
        else if (mode == ModeInsert)
            table.Insert();
        else
            table.Edit();
        bool refused = false;
        for (int i = 0; i < table.FieldCount() && !refused; ++i) {
            const QLineEdit* edit = dialog.Edits()[static_cast<std::size_t>(i)];
            if (!edit)
                continue;
            QString text = edit->text();
            const FieldType type = table.Field(i).type;
            if (type == FieldType::ftFloat || type == FieldType::ftCurrency)
                text.replace(u'.', u',');
            // A field's text reaches the printer through a sale: it holds only what a frame can carry.
            if (const std::string fault = TextFault(text.toStdString(), true); !fault.empty()) {
                ShowPlainMessage(&dialog, QStringLiteral("Pole '") + FieldName(table, i) +
                                              QStringLiteral("': ") + QString::fromStdString(fault) +
                                              QStringLiteral("."));
                refused = true;
                continue;
            }
            try {
                table.SetField(i, cp1250::FromUtf8(text.toStdString()));
            } catch (const TableError&) {
                ShowPlainMessage(&dialog, QStringLiteral("Wartość pola '") + FieldName(table, i) +
                                              QStringLiteral("' jest niepoprawna."));
                refused = true;
            }
        }
        if (refused) {
            table.Cancel();
            continue;
        }
        if (table.Post())
            return true;
    }
    return false;
}

} // namespace

void RecordDialog(TMyTable& table, int mode, QWidget* parent) {
    if (!table.Active() || table.FieldCount() == 0 || mode < ModeAdd || mode > ModeDelete)
        return;
    if (mode == ModeDelete) {
        if (AskYesNo(parent, ModeTitle(mode), QStringLiteral("   Czy chcesz usunąć rekord?   ")))
            table.Delete();
        return;
    }
    TRecordDialog dialog(table, mode, parent);
    try {
        if (RunEditLoop(table, mode, dialog))
            return;
    } catch (...) {
        table.Cancel();
        throw;
    }
    // A refused post leaves the table editing the typed values; closing the dialog drops them, so the
    // current record reads as it is in the file.
    if (table.State() != TableState::tsBrowse)
        table.Cancel();
}

} // namespace nubra::tables_qt
