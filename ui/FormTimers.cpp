// The two clocks. TMMTimer calls OnTimer on the timer service's thread;
// the tick is posted to the window's thread and takes effect there as one
// step between two handlers, and only if its timer has not been stopped
// since the tick was stamped.
#include "ui/Unit1.h"

#include <QMetaObject>
#include <stdexcept>

namespace {

constexpr std::array<std::string_view, 2> kTimerNames{"MMTimer1", "MMTimer2"};

} // namespace

void TForm1::createTimers(platform::TimerService& timers) {
    // As a stored form makes them: the stored values first (Enabled off,
    // then the OnTimer binding), and Loaded once every component is read.
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        auto* timer = new TMMTimer(&components_, timers);
        timer->SetName(std::string(kTimerNames[i]));
        timer->SetEnabled(false);
        timer->SetOnTimer([this, i](platform::TComponent*) { postTick(i); });
        timers_[i] = timer;
    }
    for (TMMTimer* timer : timers_) {
        timer->Loaded();
    }
}

std::size_t TForm1::timerIndex(std::string_view name) const {
    for (std::size_t i = 0; i < kTimerNames.size(); ++i) {
        if (kTimerNames[i] == name) {
            return i;
        }
    }
    throw std::out_of_range("no timer named " + std::string(name));
}

TMMTimer& TForm1::timerNamed(std::string_view name) const {
    return *timers_[timerIndex(name)];
}

const TMMTimer& TForm1::timer(std::string_view name) const {
    return timerNamed(name);
}

void TForm1::setTimerEnabled(std::string_view name, bool enabled) {
    const std::size_t index = timerIndex(name);
    TMMTimer& timer = *timers_[index];
    const bool wasEnabled = timer.Enabled();
    // May throw EMMTimerError when no timer can be had; it ends the handler.
    timer.SetEnabled(enabled);
    if (wasEnabled && !enabled) {
        // The stop has returned, so no callback of the old run is under
        // way; whatever it posted carries the old epoch.
        stopEpochs_[index].fetch_add(1, std::memory_order_acq_rel);
    }
}

void TForm1::postTick(std::size_t index) {
    const std::uint64_t epoch = stopEpochs_[index].load(std::memory_order_acquire);
    // Never waits for the window: a stop from the window's thread waits for
    // this callback, so blocking here could deadlock.
    QMetaObject::invokeMethod(
        this, [this, index, epoch] { deliverTick(index, epoch); }, Qt::QueuedConnection);
}

void TForm1::deliverTick(std::size_t index, std::uint64_t epoch) {
    // A handler part-way through (a sound, a dialog's or the error box's
    // nested loop) finishes first; the checks run when the tick is applied.
    boundary_.whenIdle([this, index, epoch] {
        if (destroying_ || !timers_[index]->Enabled() ||
            stopEpochs_[index].load(std::memory_order_acquire) != epoch) {
            return;
        }
        runHandler([this, index] {
            if (index == 0) {
                drill_.MMTimer1Timer();
            } else {
                drill_.MMTimer2Timer();
            }
        });
    });
}
