#pragma once
// TMMTimer: a non-visual component that calls OnTimer once every Interval ms
// while enabled, driven by the platform timer service. Ticks arrive on the
// service's thread; bringing them onto the window's thread is the owner's job.
//
// Threads: property writes, Loaded and the destructor of one component must
// not run at the same time on two threads (the window makes them all on its
// own thread; a handler may stop its own timer from inside a tick). Once a
// stop has returned, no tick of the stopped platform timer starts. A subclass
// that overrides Tick must stop the timer in its own destructor, since the
// base destructor runs after the override's data is gone. A component must
// not be destroyed from inside its own tick.
#include "platform/Component.h"
#include "platform/TimerService.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <stdexcept>

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EMMTimerError : public Exception {
public:
    using Exception::Exception;
};

using TNotifyEvent = std::function<void(platform::TComponent* sender)>;

class TMMTimer : public platform::TComponent {
public:
    explicit TMMTimer(platform::TComponent* owner,
                      platform::TimerService& service = platform::systemTimerService());
    ~TMMTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t value);
    TNotifyEvent OnTimer() const;
    void SetOnTimer(TNotifyEvent handler);

    void Loaded() override;

protected:
    virtual void Tick();

private:
    static void TimerCallback(std::uint32_t timerId, std::uint32_t message, std::uintptr_t user,
                              std::uintptr_t reserved1, std::uintptr_t reserved2);
    void RestartTimer();

    std::uint32_t handle_ = 0;
    std::uint32_t interval_ = 1000;
    TNotifyEvent onTimer_;
    bool enabled_ = true;

    platform::TimerService& service_;
    // OnTimer may be reassigned on the window's thread while a tick reads it
    // on the timer thread. RestartTimer also holds it while it starts a
    // platform timer, so a first tick sees the new handle.
    mutable std::mutex handlerMutex_;
};
