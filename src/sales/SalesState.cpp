#include "SalesState.h"

namespace nubra::app {

std::array<TRegisterCurrency, 8> RegisterCurrency{};
bool CardPickerPending = true;
bool ContractorPickerPending = true;

} // namespace nubra::app
