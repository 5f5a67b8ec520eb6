// Fiscal and service operations.
#include "TNX3Class.h"

namespace nubra {

bool TNX3Class::TestPrint() {
    Order("ET", {"C"}, Closing::Wait);
    return CheckReply("ET", LastReply());
}

} // namespace nubra
