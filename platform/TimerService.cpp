// The system timer service: one scheduler thread of our own runs every
// callback, so callbacks of different timers never overlap, just as with the
// multimedia timer this stands in for.
//
// Scheduling: a timer's deadlines lie on the grid start + k × period, where
// start is the moment of creation, so lateness never accumulates. When a
// callback (or the machine) makes the scheduler miss grid points, the missed
// ones are skipped: the next call comes at the first grid point after the
// previous callback returned (TimerGrid.h). A late tick is therefore
// delivered once, never as a burst of catch-up calls.
//
// Idle cost: with no timer due the thread waits on a condition variable with
// no deadline, so it does not wake at all.
#include "platform/TimerService.h"

#include "platform/TimerGrid.h"
#include "platform/TimerTestHooks.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <pthread.h>
#include <set>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// The thread's name lets tools (and the wake-up benchmark) find it.
constexpr const char* kThreadName = "tonpara-timer";

class SystemTimerService final : public TimerService {
public:
    SystemTimerService() : envFails_(envAsksForFailure()) {}

    std::uint32_t timeSetEvent(std::uint32_t delayMs, std::uint32_t resolutionMs,
                               TimerCallback callback, std::uintptr_t user,
                               std::uint32_t flags) override;
    void timeKillEvent(std::uint32_t timerId) override;

    void setCreationFails(bool fails) { hookFails_.store(fails); }
    void shutDown();

private:
    struct Timer {
        TimerCallback callback;
        std::uintptr_t user;
        Clock::time_point start;
        Clock::duration period;
        Clock::time_point due;
    };
    using QueueEntry = std::pair<Clock::time_point, std::uint32_t>;

    static bool envAsksForFailure() {
        const char* value = std::getenv("TONPARA_TEST_NO_TIMER");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }

    bool startThreadLocked();
    void run() noexcept;
    void scheduleNextLocked(std::uint32_t id, Timer& timer, Clock::time_point now);

    std::mutex mutex_;
    std::condition_variable wake_;     // the scheduler: the queue or the state changed
    std::condition_variable finished_; // killers: the running callback returned
    std::unordered_map<std::uint32_t, Timer> timers_;
    std::set<QueueEntry> queue_; // ordered by deadline; a running timer is not in it
    std::uint32_t lastId_ = 0;
    std::uint32_t running_ = 0; // id whose callback is under way, 0 for none
    std::thread::id schedulerThread_;
    bool threadStarted_ = false;
    bool shuttingDown_ = false;

    const bool envFails_;
    std::atomic<bool> hookFails_{false};
};

std::uint32_t SystemTimerService::timeSetEvent(std::uint32_t delayMs, std::uint32_t resolutionMs,
                                               TimerCallback callback, std::uintptr_t user,
                                               std::uint32_t flags) {
    // The resolution is only a hint; every deadline is aimed at exactly.
    static_cast<void>(resolutionMs);
    // A zero period would spin the scheduler; one-shot timers are not offered.
    if (callback == nullptr || delayMs == 0 || flags != TIME_PERIODIC) {
        return 0;
    }
    if (envFails_ || hookFails_.load()) {
        return 0;
    }
    const Clock::time_point start = Clock::now();
    std::lock_guard lock(mutex_);
    // Ids are never reused in a run, so a stale id can never kill a newer timer.
    if (shuttingDown_ || lastId_ == std::numeric_limits<std::uint32_t>::max()) {
        return 0;
    }
    if (!threadStarted_ && !startThreadLocked()) {
        return 0;
    }
    const std::uint32_t id = lastId_ + 1;
    const Clock::duration period = std::chrono::milliseconds(delayMs);
    const Timer timer{callback, user, start, period, start + period};
    try {
        timers_.emplace(id, timer);
        try {
            queue_.emplace(timer.due, id);
        } catch (const std::bad_alloc&) {
            timers_.erase(id);
            throw;
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
    lastId_ = id;
    wake_.notify_one();
    return id;
}

void SystemTimerService::timeKillEvent(std::uint32_t timerId) {
    std::unique_lock lock(mutex_);
    const auto it = timers_.find(timerId);
    if (it == timers_.end()) {
        return;
    }
    queue_.erase(QueueEntry{it->second.due, timerId});
    timers_.erase(it);
    // The scheduler may still sleep towards the removed deadline; it will
    // find nothing due then and go back to waiting, so no wake-up is needed.
    //
    // From inside the timer's own callback the caller is that callback:
    // waiting would never end, and no further call can start anyway.
    if (std::this_thread::get_id() != schedulerThread_) {
        finished_.wait(lock, [&] { return running_ != timerId; });
    }
}

bool SystemTimerService::startThreadLocked() {
    try {
        std::thread thread(&SystemTimerService::run, this);
        schedulerThread_ = thread.get_id();
        // The service is never destroyed, so the thread may outlive main.
        thread.detach();
    } catch (const std::system_error&) {
        return false;
    }
    threadStarted_ = true;
    return true;
}

void SystemTimerService::scheduleNextLocked(std::uint32_t id, Timer& timer, Clock::time_point now) {
    timer.due = nextGridPoint(timer.start, timer.period, now);
    queue_.emplace(timer.due, id);
}

void SystemTimerService::run() noexcept {
    pthread_setname_np(pthread_self(), kThreadName);
    std::unique_lock lock(mutex_);
    while (!shuttingDown_) {
        if (queue_.empty()) {
            wake_.wait(lock);
            continue;
        }
        const auto [due, id] = *queue_.begin();
        if (Clock::now() < due) {
            wake_.wait_until(lock, due);
            continue;
        }
        queue_.erase(queue_.begin());
        const Timer& timer = timers_.at(id);
        const TimerCallback callback = timer.callback;
        const std::uintptr_t user = timer.user;
        running_ = id;
        lock.unlock();
        // An exception escaping here ends the program (noexcept): a tick
        // thread has no one to hand an error to.
        callback(id, 0, user, 0, 0);
        lock.lock();
        running_ = 0;
        finished_.notify_all();
        // A kill during the callback removed the timer; otherwise it goes on.
        const auto it = timers_.find(id);
        if (it != timers_.end()) {
            scheduleNextLocked(id, it->second, Clock::now());
        }
    }
}

void SystemTimerService::shutDown() {
    std::unique_lock lock(mutex_);
    shuttingDown_ = true;
    timers_.clear();
    queue_.clear();
    wake_.notify_all();
    if (std::this_thread::get_id() != schedulerThread_) {
        finished_.wait(lock, [&] { return running_ == 0; });
    }
}

SystemTimerService& theService() {
    // Leaked on purpose: the service must outlive every static that might
    // still hold a timer. At exit, before the statics that existed when it
    // was first used are destroyed, dispatch stops and a callback under way
    // is waited for, so no callback runs into a destroyed object.
    static SystemTimerService* const service = [] {
        auto* created = new SystemTimerService();
        std::atexit([] { theService().shutDown(); });
        return created;
    }();
    return *service;
}

} // namespace

TimerService& systemTimerService() {
    return theService();
}

void setTimerCreationFailsForTesting(bool fails) {
    theService().setCreationFails(fails);
}

} // namespace platform
