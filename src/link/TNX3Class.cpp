#include "TNX3Class.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "Descriptions.h"
#include "LinkError.h"

namespace nubra {

TNX3Class::TNX3Class(std::string programDirectory, LinkUi& ui, std::unique_ptr<SerialLine> line)
    : Sleep([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }),
      programDirectory_(std::move(programDirectory)), ui_(ui), line_(std::move(line)) {
    LoadDescriptions();
}

// The port is left as it is: the process ending releases it.
TNX3Class::~TNX3Class() = default;

void TNX3Class::LoadDescriptions() {
    for (std::string_view entry : DescriptionTable())
        Descriptions.emplace_back(entry);
}

bool TNX3Class::SetTimeouts(float seconds) {
    // nearbyint rounds half to even in the default rounding mode.
    const double ms = std::nearbyint(static_cast<double>(seconds) * 1000.0);
    return line_->SetReadTimeout(static_cast<int>(ms));
}

bool TNX3Class::OpenPort(int portNumber) {
    if (portNumber == 0) {
        ui_.ShowMessage(
            "Przed rozpoczęciem pracy z programem należy wybrać odpowiedni numer portu COM z menu "
            "'Konfiguracja'.",
            MessageIcon::Warning);
        return false;
    }
    PortOpen = false;
    switch (line_->Open(portNumber)) {
    case SerialLine::OpenResult::Ok:
        break;
    case SerialLine::OpenResult::OpenFailed: {
        const std::string detail = line_->OpenFailureDetail();
        const std::string name = PortName.empty() ? "COM" + std::to_string(portNumber) : PortName;
        ui_.ShowMessage("Nie udało się otworzyć portu " + name +
                            ". Mogło się zdarzyć, że inna\r\naplikacja już wykorzystuje dany port." +
                            (detail.empty() ? "" : "\r\n" + detail),
                        MessageIcon::Error);
        return false;
    }
    case SerialLine::OpenResult::GetStateFailed:
        line_->Close();
        ui_.ShowMessage("Wystąpił błąd podczas otwierania portu (GetCommState()).", MessageIcon::Error);
        return false;
    case SerialLine::OpenResult::SetStateFailed:
        line_->Close();
        ui_.ShowMessage("Wystąpił błąd podczas otwierania portu (SetCommState()).", MessageIcon::Error);
        return false;
    }
    if (!SetTimeouts(2.0f)) {
        line_->Close();
        ui_.ShowMessage("Wystąpił błąd podczas otwierania portu (SetTimeOut()).", MessageIcon::Error);
        return false;
    }
    PortOpen = true;
    portNumber_ = portNumber;
    lost_ = false;
    return true;
}

void TNX3Class::ClosePort() {
    if (!PortOpen)
        return;
    if (!line_->Close())
        throw LinkError(ClosePortMessage);
    PortOpen = false;
    lost_ = false;
}

std::string TNX3Class::PortPlace() const {
    const std::string name = PortName.empty() ? "COM" + std::to_string(portNumber_) : PortName;
    const std::string device = line_->DevicePath(portNumber_);
    return device.empty() || device == name ? name : name + " (" + device + ")";
}

std::string TNX3Class::LostPortMessage(bool outcomeUnknown) const {
    return "Utracono port " + PortPlace() +
           ": urządzenie zostało odłączone (wyjęty adapter USB albo przewód kasy).\r\n"
           "Podłącz je ponownie; następne polecenie samo otworzy port." +
           (outcomeUnknown ? std::string("\r\n") + LinkError::UnknownOutcomeLine : std::string());
}

LinkError TNX3Class::LineFailure(bool gone) {
    if (!gone || !PortOpen)
        return LinkError::NoCommunication();
    // Held open, a pulled adapter's node could not come back under its name.
    line_->Close();
    lost_ = true;
    return LinkError::NoCommunication().WithLineLost();
}

void TNX3Class::ReopenLostPort() {
    if (!lost_)
        return;
    if (line_->Open(portNumber_) != SerialLine::OpenResult::Ok || !SetTimeouts(2.0f)) {
        line_->Close();
        throw LinkError::StillLost("Port " + PortPlace() + " jest nadal odłączony: podłącz kasę ponownie.");
    }
    lost_ = false;
}

} // namespace nubra
