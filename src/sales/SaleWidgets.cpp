#include "SaleWidgets.h"

#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include "DeviceText.h"

namespace nubra::app {
namespace {

class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> fn) : QObject(parent), fn_(std::move(fn)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            fn_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> fn_;
};

} // namespace

QLineEdit* MakeStaticText(const char* name, QWidget* parent, Qt::Alignment alignment) {
    auto* text = new QLineEdit(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setReadOnly(true);
    text->setFocusPolicy(Qt::NoFocus);
    text->setAlignment(alignment | Qt::AlignVCenter);
    return text;
}

QToolButton* MakePickButton(const char* name, const QString& hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("..."));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

void OnClick(QWidget* widget, std::function<void()> fn) {
    widget->installEventFilter(new ClickFilter(widget, std::move(fn)));
}

void UpperCaseAsTyped(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        if (text == text.toUpper())
            return;
        const int at = edit->cursorPosition();
        edit->setText(text.toUpper());
        edit->setCursorPosition(at);
    });
}

DialogButtons MakeDialogButtons(QDialog* dialog, const char* acceptName, const QString& acceptCaption,
                                const char* rejectName, const QString& rejectCaption) {
    DialogButtons b{new QPushButton(acceptCaption, dialog), new QPushButton(rejectCaption, dialog),
                    new QHBoxLayout};
    b.accept->setObjectName(QString::fromLatin1(acceptName));
    b.accept->setDefault(true);
    b.reject->setObjectName(QString::fromLatin1(rejectName));
    QObject::connect(b.accept, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(b.reject, &QPushButton::clicked, dialog, &QDialog::reject);
    b.row->addStretch(1);
    b.row->addWidget(b.accept);
    b.row->addWidget(b.reject);
    return b;
}

void CentreOnOwner(QWidget* dialog) {
    if (QWidget* owner = dialog->parentWidget())
        dialog->move(owner->geometry().center() - dialog->rect().center());
}

const QStringList TContractorFields::FieldNames = {QStringLiteral("NAZWA 1"), QStringLiteral("NAZWA 2"),
                                                   QStringLiteral("ULICA"), QStringLiteral("MIASTO"),
                                                   QStringLiteral("NIP")};

TContractorFields::TContractorFields(QWidget* parent, QGridLayout* grid, int firstRow,
                                     QToolButton* pickButton) {
    static const char* const names[] = {"ST_Nazwa1", "ST_Nazwa2", "ST_Ulica", "ST_Miasto", "ST_Nip"};
    static const char* const captions[] = {"Nazwa 1:", "Nazwa 2:", "Ulica:", "Miasto:", "NIP:"};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(QString::fromUtf8(captions[i]), parent);
        QLineEdit* field = MakeStaticText(names[i], parent);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 20);
        label->setBuddy(field);
        grid->addWidget(label, firstRow + i, 0);
        grid->addWidget(field, firstRow + i, 1);
        fields_[static_cast<std::size_t>(i)] = field;
        shown_.push_back(label);
        shown_.push_back(field);
    }
    grid->addWidget(pickButton, firstRow, 2);
    shown_.push_back(pickButton);
}

void TContractorFields::Fill(const QStringList& values) {
    for (int i = 0; i < 5 && i < values.size(); ++i)
        Field(i)->setText(values[i]);
}

SaleCustomer TContractorFields::Customer() const {
    return {ToDevice(Field(0)->text()), ToDevice(Field(1)->text()), ToDevice(Field(2)->text()),
            ToDevice(Field(3)->text()), ToDevice(Field(4)->text())};
}

void TContractorFields::SetVisible(bool visible) {
    for (QWidget* w : shown_)
        w->setVisible(visible);
}

} // namespace nubra::app
