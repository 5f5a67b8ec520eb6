#pragma once
// Program-wide state of the status and sale operations. One user-interface thread reaches it.

namespace nubra::app {

// The transaction register (1..8) the next start, sale or print offers first. The register window
// sets it before running one of them; the start and print actions set it back to 1.
extern int CurrentRegister;

// Set while the printer reports an internal error ("I3" non-zero): the register window then skips
// the register rows, since the printer cannot be trusted to answer them.
extern bool ServiceError;

} // namespace nubra::app
