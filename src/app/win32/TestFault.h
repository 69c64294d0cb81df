// A fault on demand, for the checks under Wine that the watchdog puts the machine back however
// the menu dies: with ZINDRA_TEST_FAULT set to "access-violation" or "hang", the menu waits for
// the named event "Local\ZindraTestFault.<its process id>" and then faults, or freezes its
// user-interface thread so that only ending the process from outside ends it. Unset, nothing.
#pragma once

namespace zindra::app {

// Call on the user-interface thread, once, before the menu runs. A fault kind not understood is
// told on standard error and ignored.
void ArmTestFault();

}  // namespace zindra::app
