#include "ProgramState.h"

namespace nubra::app {

int CurrentRegister = 1;
bool ServiceError = false;

} // namespace nubra::app
