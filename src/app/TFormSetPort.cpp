#include "TFormSetPort.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nubra::app {

TFormSetPort::TFormSetPort(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormSetPort"));
    setWindowTitle(QStringLiteral("Konfiguracja portu"));

    auto* label = new QLabel(QStringLiteral("Wybierz port, do którego \npodłączona jest kasa:"), this);
    cbPort_ = new QComboBox(this);
    cbPort_->setObjectName(QStringLiteral("CB_Port"));
    cbPort_->addItems(
        {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4")});
    label->setBuddy(cbPort_);
    auto* deviceLabel = new QLabel(QStringLiteral("Urządzenie dla wybranego portu:"), this);
    cbDevice_ = new QComboBox(this);
    cbDevice_->setObjectName(QStringLiteral("CB_Device"));
    deviceLabel->setBuddy(cbDevice_);
    SetSerialDevices({});

    setButton_ = new QPushButton(QStringLiteral("Ustaw"), this);
    setButton_->setDefault(true);
    closeButton_ = new QPushButton(QStringLiteral("Zamknij"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(setButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label);
    layout->addWidget(cbPort_);
    layout->addWidget(deviceLabel);
    layout->addWidget(cbDevice_);
    layout->addLayout(buttons);

    connect(setButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSetPort::SetDevicePaths(const QStringList& paths) {
    for (int i = 0; i < cbPort_->count(); ++i) {
        const QString com = QStringLiteral("COM%1").arg(i + 1);
        cbPort_->setItemText(i, i < paths.size() ? QStringLiteral("%1 (%2)").arg(com, paths.at(i)) : com);
    }
}

void TFormSetPort::SetSerialDevices(const std::vector<SerialDevice>& devices) {
    cbDevice_->clear();
    cbDevice_->addItem(QStringLiteral("bez zmiany"), QString());
    for (const SerialDevice& d : devices) {
        QString text = QString::fromStdString(d.path);
        if (!d.maker.empty())
            text += QStringLiteral(" – ") + QString::fromStdString(d.maker);
        if (!d.byId.empty())
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(d.byId));
        cbDevice_->addItem(text, QString::fromStdString(d.Stable()));
    }
}

QString TFormSetPort::ChosenDevice() const {
    return cbDevice_->currentData().toString();
}

void TFormSetPort::SelectPort(int portNumber) {
    cbPort_->setCurrentIndex(portNumber >= 1 && portNumber <= cbPort_->count() ? portNumber - 1 : -1);
}

int TFormSetPort::SelectedPort() const {
    return cbPort_->currentIndex() + 1;
}

void TFormSetPort::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    closeButton_->setFocus();
}

} // namespace nubra::app
