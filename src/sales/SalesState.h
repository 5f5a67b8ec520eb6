#pragma once
// Program-wide state of the sale operations, in memory only. One user-interface thread reaches it.
#include <array>
#include <cstdint>
#include <string>

namespace nubra::app {

// The currency data of the transaction last started in a register.
struct TRegisterCurrency {
    bool IsCurrency = false;
    std::int32_t Rate = 0;         // ten-thousandths: 4,3000 is 43000
    std::int32_t ForeignLimit = 0; // hundredths of the foreign currency
    std::string Currency;          // as typed, e.g. "EUR" (UTF-8)
    // The transaction whose "PF" the printer accepted, 0 for none: it takes one payment per
    // transaction and answers a second with "DF", so sending it again would leave the transaction
    // impossible to end.
    int PaidIn = 0;
};

// Entry N - 1 for register N.
extern std::array<TRegisterCurrency, 8> RegisterCurrency;

// The first change of the sale dialog's card box, and of its invoice box, in a run opens the picker.
extern bool CardPickerPending;
extern bool ContractorPickerPending;

} // namespace nubra::app
