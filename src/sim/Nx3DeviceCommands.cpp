// Every command the device knows, by its code. Each later group of commands adds its rows here and
// its handlers in a file of its own.
#include "Nx3Device.h"

namespace nubra::sim {

const std::map<std::string, Nx3Device::CommandHandler>& Nx3Device::Commands() {
    static const std::map<std::string, CommandHandler> commands = {
        {"B2", &Nx3Device::DayReportNumber},
        {"B3", &Nx3Device::ResetCounters},
        {"B4", &Nx3Device::Status2Letter},
        {"B5", &Nx3Device::Status3Letter},
        {"ES", &Nx3Device::DeviceInfo},
        {"PI", &Nx3Device::FullUniqueNumber},
        {"I3", &Nx3Device::ErrorNumber},
        {"I6", &Nx3Device::ExtendedStatusQuery},
        {"I7", &Nx3Device::RegisterInfo},
        {"T2", &Nx3Device::TotalizerQuery},
        {"K4", &Nx3Device::SetStatus},
        // Settings.
        {"D4", &Nx3Device::VatRatesQuery},
        {"S3", &Nx3Device::SetVatRates},
        {"D9", &Nx3Device::PostNumbersQuery},
        {"S8", &Nx3Device::SetPostNumbers},
        {"C1", &Nx3Device::SetWaitingTime},
        {"C2", &Nx3Device::WaitingTimeQuery},
        {"K2", &Nx3Device::MoveTime},
        {"E1", &Nx3Device::DateTimeQuery},
        {"E2", &Nx3Device::SetDateTime},
        {"E3", &Nx3Device::SetTime},
        {"EA", &Nx3Device::HeaderLineQuery},
        {"EB", &Nx3Device::SetHeaderLine},
        {"N4", &Nx3Device::FooterQuery},
        {"N2", &Nx3Device::SetFooter},
        // Sales.
        {"PC", &Nx3Device::StartTransaction},
        {"PD", &Nx3Device::Sale},
        {"P0", &Nx3Device::Sale},
        {"LB", &Nx3Device::Sale},
        {"L0", &Nx3Device::Sale},
        {"PB", &Nx3Device::PrintDocument},
        {"PF", &Nx3Device::CurrencyPayment},
        {"RA", &Nx3Device::LoyaltyInfo},
        {"PA", &Nx3Device::ExchangeConfirmation},
        {"LE", &Nx3Device::GoodsInfo},
        // Fiscal and service operations.
        {"ET", &Nx3Device::ServicePrint},
        {"EF", &Nx3Device::Fiscalize},
        {"U2", &Nx3Device::PrepareNip},
        {"EI", &Nx3Device::CurrencyChangeQuery},
        {"EJ", &Nx3Device::SetCurrencyChange},
        {"X1", &Nx3Device::ResetRam},
        {"EC", &Nx3Device::SdCardOrder},
        {"Q2", &Nx3Device::TemplateQuery},
        {"Q3", &Nx3Device::TemplatePrint},
        // Reports.
        {"Z1", &Nx3Device::DailyReport},
        {"R1", &Nx3Device::PeriodReport},
        {"R9", &Nx3Device::SubReport},
        {"T3", &Nx3Device::GoodsList},
        {"R2", &Nx3Device::SendPeriodReport},
        {"Z2", &Nx3Device::SettlementReport},
    };
    return commands;
}

} // namespace nubra::sim
