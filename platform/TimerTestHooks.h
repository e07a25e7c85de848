#pragma once
// In-process switch for tests of the "no timer" path on the real service,
// beside the TONPARA_TEST_NO_TIMER environment variable (read once, at the
// service's first use). Creation fails while either of them asks for it.
namespace platform {

void setTimerCreationFailsForTesting(bool fails);

} // namespace platform
