#pragma once
// Factories of the report windows for the start-up list, and the periodic report's transfer.
#include <string>

class QWidget;

namespace nubra::app {
class TFormMain;
}

namespace nubra::reports {

QWidget* CreateFormPeriodReports(app::TFormMain& main);
QWidget* CreateFormSendRapOkres(app::TFormMain& main);
QWidget* CreateFormRozliczeniowy(app::TFormMain& main);

inline constexpr const char* ReportFileName = "Raport.txt";

// "R2" and its lines, shown in the transfer window while they come and saved to Raport.txt in the
// program's data folder, which is then opened on the desktop when it holds any line.
void TransferPeriodReport(app::TFormMain& main, const std::string& from, const std::string& to);

} // namespace nubra::reports
