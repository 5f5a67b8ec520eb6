#include "PortSerialLine.h"

namespace nubra {

const char* const PortSerialLine::kMissingReason =
    "brak takiego urządzenia; sprawdź, czy kasa jest podłączona, albo wskaż inne urządzenie w pliku "
    "nx3config.ini";
const char* const PortSerialLine::kBusyReason =
    "port jest zajęty przez inny program; zamknij go i spróbuj ponownie";
// $USER stays for the shell to fill in: the line can be pasted as it is.
const char* const PortSerialLine::kPermissionReason =
    "brak uprawnień: użytkownik musi należeć do grupy dialout; dodaje go polecenie "
    "sudo usermod -aG dialout $USER, po nim należy wylogować się i zalogować ponownie";

PortSerialLine::PortSerialLine() {
    for (int n = 1; n <= 4; ++n)
        paths_[n] = DefaultDevicePath(n);
}

void PortSerialLine::SetDevicePath(int portNumber, std::string path) {
    paths_[portNumber] = std::move(path);
}

std::string PortSerialLine::DevicePath(int portNumber) const {
    const auto it = paths_.find(portNumber);
    return it == paths_.end() ? std::string{} : it->second;
}

std::string PortSerialLine::DeviceToOpen(int portNumber) {
    failure_.clear();
    failureKind_ = OpenFailure::Other;
    std::string path = DevicePath(portNumber);
    if (path.empty()) {
        failureKind_ = OpenFailure::Missing;
        failure_ =
            "Urządzenie: brak (nie przypisano urządzenia do portu COM" + std::to_string(portNumber) + ")";
    }
    return path;
}

void PortSerialLine::Failed(OpenFailure kind, const std::string& path, const std::string& reason) {
    failureKind_ = kind;
    failure_ = "Urządzenie: " + path + " (" + reason + ")";
}

} // namespace nubra
