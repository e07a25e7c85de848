#include "timer/NewCtrls.h"

TMMTimer::TMMTimer(platform::TComponent* owner, platform::TimerService& service)
    : platform::TComponent(owner), service_(service) {}

TMMTimer::~TMMTimer() {
    // The field, not the property: the property would restart only on a
    // change, and the timer must stop whatever the field held.
    enabled_ = false;
    RestartTimer();
}

void TMMTimer::SetEnabled(bool value) {
    if (value == enabled_) {
        return;
    }
    enabled_ = value;
    RestartTimer();
}

void TMMTimer::SetInterval(std::uint32_t value) {
    if (value == interval_) {
        return;
    }
    interval_ = value;
    RestartTimer();
}

TNotifyEvent TMMTimer::OnTimer() const {
    std::lock_guard lock(handlerMutex_);
    return onTimer_;
}

void TMMTimer::SetOnTimer(TNotifyEvent handler) {
    {
        std::lock_guard lock(handlerMutex_);
        onTimer_.swap(handler);
    }
    // The old handler (now in `handler`) is destroyed here, outside the lock.
}

void TMMTimer::Loaded() {
    platform::TComponent::Loaded();
    RestartTimer();
}

void TMMTimer::Tick() {
    // Copied under the lock, called outside it: a handler may reassign
    // OnTimer or stop this timer without deadlocking on the copy.
    TNotifyEvent handler;
    {
        std::lock_guard lock(handlerMutex_);
        handler = onTimer_;
    }
    if (handler) {
        handler(this);
    }
}

void TMMTimer::TimerCallback(std::uint32_t timerId, std::uint32_t message, std::uintptr_t user,
                             std::uintptr_t reserved1, std::uintptr_t reserved2) {
    static_cast<void>(timerId);
    static_cast<void>(message);
    static_cast<void>(reserved1);
    static_cast<void>(reserved2);
    auto* const timer = reinterpret_cast<TMMTimer*>(user);
    {
        // A first tick may come before RestartTimer has stored the new
        // handle (a 1 ms period and a preempted caller); waiting here until
        // it has lets a tick that stops its own timer kill the right one.
        std::lock_guard settled(timer->handlerMutex_);
    }
    timer->Tick();
}

void TMMTimer::RestartTimer() {
    // Killed outside the lock: the kill waits for a tick under way, and that
    // tick may need the lock.
    if (handle_ != 0) {
        service_.timeKillEvent(handle_);
        handle_ = 0;
    }
    std::lock_guard lock(handlerMutex_);
    if (!enabled_ || interval_ == 0 || !onTimer_) {
        return;
    }
    handle_ =
        service_.timeSetEvent(interval_, interval_, &TMMTimer::TimerCallback,
                              reinterpret_cast<std::uintptr_t>(this), platform::TIME_PERIODIC);
    if (handle_ == 0) {
        throw EMMTimerError("No timer available");
    }
}
