#pragma once
// The periodic timer service the timer component is built on: the same two
// calls, with the same meaning, as the multimedia timer it replaces.
#include <cstdint>

namespace platform {

// Timer id, message code (unused, 0), user data, two reserved values.
using TimerCallback = void (*)(std::uint32_t timerId, std::uint32_t message, std::uintptr_t user,
                               std::uintptr_t reserved1, std::uintptr_t reserved2);

inline constexpr std::uint32_t TIME_PERIODIC = 1;

class TimerService {
public:
    virtual ~TimerService() = default;
    // Starts a periodic timer whose first call comes `delayMs` after this call
    // and every `delayMs` after that, on absolute deadlines (no drift), on a
    // thread of the service. Returns a nonzero id, or 0 on failure.
    virtual std::uint32_t timeSetEvent(std::uint32_t delayMs, std::uint32_t resolutionMs,
                                       TimerCallback callback, std::uintptr_t user,
                                       std::uint32_t flags) = 0;
    // Stops the timer. Callable from any thread, the timer's own callback
    // included. Once it has returned no callback of that timer starts; called
    // from another thread it also waits for a callback already under way, so
    // callbacks must never wait for the thread that kills them.
    virtual void timeKillEvent(std::uint32_t timerId) = 0;
};

// The real service. Every callback of every timer runs on its one thread, one
// at a time; an exception escaping a callback ends the program. A missed
// deadline (a callback or the machine slower than the period) is skipped, not
// made up for. Creation fails on demand when the environment variable
// TONPARA_TEST_NO_TIMER is 1 at the service's first use (or through
// TimerTestHooks.h), so the "no timer" path can be tested on the real build.
TimerService& systemTimerService();

} // namespace platform
