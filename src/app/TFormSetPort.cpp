#include "TFormSetPort.h"

#include <QComboBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "MessageBox.h"

namespace nubra::app {
namespace {

// The device's own path beside the stable name a list item gives.
constexpr int kPathRole = Qt::UserRole + 1;

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

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
    detectButton_ = new QPushButton(QStringLiteral("Wykryj"), this);
    detectButton_->setToolTip(QStringLiteral("Sprawdza porty szeregowe komputera i wskazuje ten, na którym "
                                             "odpowiada kasa NX-3"));
    detectButton_->setVisible(false);
    foundLabel_ = new QLabel(this);
    foundLabel_->setObjectName(QStringLiteral("LB_Found"));
    foundLabel_->setWordWrap(true);
    foundLabel_->setVisible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(detectButton_);
    buttons->addStretch(1);
    buttons->addWidget(setButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label);
    layout->addWidget(cbPort_);
    layout->addWidget(deviceLabel);
    layout->addWidget(cbDevice_);
    layout->addWidget(foundLabel_);
    layout->addLayout(buttons);

    connect(setButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(detectButton_, &QPushButton::clicked, this, &TFormSetPort::Detect);
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
        cbDevice_->setItemData(cbDevice_->count() - 1, QString::fromStdString(d.path), kPathRole);
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

void TFormSetPort::SetProbe(PortProbe probe) {
    probe_ = std::move(probe);
    detectButton_->setVisible(bool(probe_.probe));
    foundLabel_->clear();
    foundLabel_->setVisible(false);
}

void TFormSetPort::Detect() {
    if (!probe_.probe || !probe_.targets)
        return;
    if (probe_.release)
        probe_.release();
    const std::vector<ops::ProbeTarget> targets = probe_.targets();
    QProgressDialog progress(QString(), QStringLiteral("Anuluj"), 0, int(targets.size()), this);
    progress.setWindowTitle(QStringLiteral("Wykrywanie kasy"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    std::vector<ops::ProbeOutcome> outcomes;
    for (std::size_t i = 0; i < targets.size() && !progress.wasCanceled(); ++i) {
        progress.setLabelText(QStringLiteral("Sprawdzanie: %1…").arg(Utf8(ops::ProbePlace(targets[i]))));
        emit probeStep(int(i));
        if (progress.wasCanceled())
            break;
        // One device may take the whole time limit; the window keeps drawing and "Anuluj" answers.
        QEventLoop loop;
        ops::ProbeOutcome outcome;
        std::thread worker([&] {
            try {
                outcome = probe_.probe(targets[i].path);
            } catch (const std::exception&) {
                // The device stays "nie można otworzyć"; the run goes on.
            }
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
        outcomes.push_back(outcome);
        progress.setValue(int(i + 1));
    }
    const bool cancelled = progress.wasCanceled();
    progress.close();

    const auto found = std::find_if(outcomes.begin(), outcomes.end(), [](const ops::ProbeOutcome& o) {
        return o.state == ops::ProbeOutcome::State::Nx3;
    });
    foundLabel_->setVisible(true);
    if (found != outcomes.end()) {
        const ops::ProbeTarget& at = targets[std::size_t(found - outcomes.begin())];
        const bool comKey = at.name != at.path && at.name.starts_with("COM");
        if (comKey) {
            SelectPort(std::stoi(at.name.substr(3)));
            cbDevice_->setCurrentIndex(0);
        } else {
            OfferDevice(at.path);
        }
        foundLabel_->setText(QStringLiteral("Znaleziono kasę NX-3 o numerze unikatowym %1 (%2).")
                                 .arg(Utf8(found->uniqueNumber), Utf8(ops::ProbePlace(at))));
        return;
    }
    if (cancelled) {
        foundLabel_->setText(QStringLiteral("Wykrywanie przerwane."));
        return;
    }
    foundLabel_->setText(QStringLiteral("Nie znaleziono kasy NX-3."));
    QString tried;
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        tried += QStringLiteral("\n") + Utf8(ops::ProbeLine(targets[i], outcomes[i]));
    ShowMessageBox(this, QMessageBox::Warning,
                   QStringLiteral("Na żadnym porcie nie odpowiedziała kasa NX-3. Sprawdź, czy kasa jest "
                                  "włączona i podłączona do komputera, i naciśnij „Wykryj” ponownie.\n\n"
                                  "Sprawdzone porty:") +
                       (tried.isEmpty() ? QStringLiteral("\nbrak portów szeregowych") : tried));
}

void TFormSetPort::OfferDevice(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path wanted = fs::path(path).lexically_normal();
    int index = -1;
    for (int i = 1; i < cbDevice_->count() && index < 0; ++i) {
        const fs::path listed = fs::path(cbDevice_->itemData(i, kPathRole).toString().toStdString());
        if ((probe_.deviceRoot / listed.relative_path()).lexically_normal() == wanted)
            index = i;
    }
    if (index < 0) {
        cbDevice_->addItem(Utf8(path), Utf8(path));
        index = cbDevice_->count() - 1;
        cbDevice_->setItemData(index, Utf8(path), kPathRole);
    }
    cbDevice_->setCurrentIndex(index);
    // The device needs a COM number to go to.
    if (SelectedPort() == 0)
        SelectPort(1);
}

void TFormSetPort::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    closeButton_->setFocus();
}

} // namespace nubra::app
