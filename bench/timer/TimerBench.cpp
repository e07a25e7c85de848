// How closely the timer service keeps its deadlines, beside plain sleep loops
// run at the same time, and how often its thread wakes while no timer runs.
//
//   bench_timer           10 ms for 10 s, then the idle wake-ups
//   bench_timer --long    also 60 ticks at 1000 ms (a minute)
//
// Columns:
//   wake    lateness of each tick against its own deadline. The service's
//           deadlines follow its policy (the first grid point after the
//           previous tick); a sleep_for loop's is the previous tick plus one
//           period; a sleep_until loop's is start + k × period.
//   skipped grid points the service let pass without a tick (a late wake-up
//           longer than a period).
//   drift   error of a clock that counts ticks, after the last one:
//           t_n − (start + n × period). It grows with every skipped point and,
//           for a sleep_for loop, with every overshoot.
#include "bench/BenchFigure.h"
#include "platform/TimerGrid.h"
#include "platform/TimerService.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Run {
    Clock::time_point start;
    std::vector<Clock::time_point> ticks;
};

// Collects ticks from the service's thread until it has enough.
struct ServiceRecorder {
    Run run;
    std::size_t wanted = 0;
    std::mutex mutex;
    std::condition_variable done;

    static void callback(std::uint32_t, std::uint32_t, std::uintptr_t user, std::uintptr_t,
                         std::uintptr_t) {
        auto* self = reinterpret_cast<ServiceRecorder*>(user);
        const Clock::time_point now = Clock::now();
        std::lock_guard lock(self->mutex);
        if (self->run.ticks.size() < self->wanted) {
            self->run.ticks.push_back(now);
            if (self->run.ticks.size() == self->wanted) {
                self->done.notify_one();
            }
        }
    }
};

Run measureService(milliseconds period, std::size_t count) {
    ServiceRecorder recorder;
    recorder.wanted = count;
    recorder.run.ticks.reserve(count);
    auto& service = platform::systemTimerService();
    const auto ms = static_cast<std::uint32_t>(period.count());
    std::unique_lock lock(recorder.mutex);
    recorder.run.start = Clock::now();
    const std::uint32_t id =
        service.timeSetEvent(ms, ms, &ServiceRecorder::callback,
                             reinterpret_cast<std::uintptr_t>(&recorder), platform::TIME_PERIODIC);
    if (id == 0) {
        std::fprintf(stderr, "bench_timer: no timer available\n");
        return {};
    }
    recorder.done.wait(lock, [&] { return recorder.run.ticks.size() == count; });
    lock.unlock();
    service.timeKillEvent(id);
    return recorder.run;
}

Run measureSleepFor(milliseconds period, std::size_t count) {
    Run run{Clock::now(), {}};
    run.ticks.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        std::this_thread::sleep_for(period);
        run.ticks.push_back(Clock::now());
    }
    return run;
}

Run measureSleepUntil(milliseconds period, std::size_t count) {
    Run run{Clock::now(), {}};
    run.ticks.reserve(count);
    for (std::size_t k = 1; k <= count; ++k) {
        std::this_thread::sleep_until(run.start + static_cast<int>(k) * period);
        run.ticks.push_back(Clock::now());
    }
    return run;
}

double toMs(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

enum class Deadlines { ServicePolicy, Relative, Absolute };

Clock::time_point deadline(const Run& run, std::size_t k, milliseconds period, Deadlines kind) {
    if (k == 0) {
        return run.start + period;
    }
    switch (kind) {
    case Deadlines::ServicePolicy:
        return platform::nextGridPoint(run.start, Clock::duration(period), run.ticks[k - 1]);
    case Deadlines::Relative:
        return run.ticks[k - 1] + period;
    case Deadlines::Absolute:
        break;
    }
    return run.start + static_cast<int>(k + 1) * period;
}

void printRow(const char* label, const char* source, const Run& run, milliseconds period,
              Deadlines kind, bool headline = false) {
    if (run.ticks.empty()) {
        std::printf("%-16s %-17s (no ticks)\n", label, source);
        return;
    }
    std::vector<double> wake;
    wake.reserve(run.ticks.size());
    long skipped = 0;
    Clock::time_point previousDue = run.start;
    for (std::size_t k = 0; k < run.ticks.size(); ++k) {
        const Clock::time_point due = deadline(run, k, period, kind);
        wake.push_back(toMs(run.ticks[k] - due));
        skipped += static_cast<long>((due - previousDue) / period) - 1;
        previousDue = due;
    }
    const double drift =
        toMs(run.ticks.back() - (run.start + static_cast<int>(run.ticks.size()) * period));
    std::sort(wake.begin(), wake.end());
    const auto at = [&](double q) {
        return wake[static_cast<std::size_t>(q * static_cast<double>(wake.size() - 1))];
    };
    std::printf("%-16s %-17s %6zu %7ld %8.3f %8.3f %8.3f %9.3f\n", label, source, run.ticks.size(),
                kind == Deadlines::Relative ? 0L : skipped, at(0.50), at(0.99), wake.back(), drift);
    if (headline) {
        const std::string what = std::string("timer ") + label;
        bench::printFigure(what + ": lateness p50", at(0.50), "ms", "< 1 ms");
        bench::printFigure(what + ": lateness p99", at(0.99), "ms", "< 5 ms");
        bench::printFigure(what + ": cumulative drift", drift, "ms", "< 1 period");
    }
}

void compare(const char* label, milliseconds period, std::size_t count) {
    // All three at once: they mostly sleep, and a busy moment of the machine
    // then hits each of them alike.
    Run service;
    Run sleepFor;
    Run sleepUntil;
    std::thread a([&] { service = measureService(period, count); });
    std::thread b([&] { sleepFor = measureSleepFor(period, count); });
    std::thread c([&] { sleepUntil = measureSleepUntil(period, count); });
    a.join();
    b.join();
    c.join();
    printRow(label, "timer service", service, period, Deadlines::ServicePolicy, true);
    printRow("", "sleep_for loop", sleepFor, period, Deadlines::Relative);
    printRow("", "sleep_until loop", sleepUntil, period, Deadlines::Absolute);
}

// Context switches of the service's thread, found by its name.
std::optional<long> timerThreadSwitches() {
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        if (name != "tonpara-timer") {
            continue;
        }
        std::ifstream status(task.path() / "status");
        long total = 0;
        for (std::string line; std::getline(status, line);) {
            for (const std::string_view key :
                 {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
                if (line.rfind(key, 0) == 0) {
                    total += std::stol(line.substr(key.size()));
                }
            }
        }
        return total;
    }
    return std::nullopt;
}

std::optional<long> switchesOver(milliseconds span) {
    const auto before = timerThreadSwitches();
    std::this_thread::sleep_for(span);
    const auto after = timerThreadSwitches();
    if (!before || !after) {
        return std::nullopt;
    }
    return *after - *before;
}

void noTick(std::uint32_t, std::uint32_t, std::uintptr_t, std::uintptr_t, std::uintptr_t) {}

void measureWakeUps() {
    constexpr milliseconds kSpan(2000);
    auto& service = platform::systemTimerService();
    const std::uint32_t id = service.timeSetEvent(10, 10, &noTick, 0, platform::TIME_PERIODIC);
    const auto running = switchesOver(kSpan);
    service.timeKillEvent(id);
    std::this_thread::sleep_for(milliseconds(50)); // let the last wait settle
    const auto idle = switchesOver(kSpan);
    if (!running || !idle) {
        std::printf("wake-ups: timer thread not found\n");
        return;
    }
    std::printf("\nwake-ups of the timer thread over %lld ms: idle %ld, "
                "with one 10 ms timer %ld (for scale)\n",
                static_cast<long long>(kSpan.count()), *idle, *running);
    bench::printFigure("timer thread wake-ups while idle (2 s)", static_cast<double>(*idle), "count",
                       "0");
}

} // namespace

int main(int argc, char** argv) {
    bool longRun = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--long") {
            longRun = true;
        } else {
            std::fprintf(stderr, "usage: bench_timer [--long]\n");
            return 2;
        }
    }
    // The figures mean little without the load they were taken under.
    std::ifstream loadavg("/proc/loadavg");
    std::string load;
    std::getline(loadavg, load);
    std::printf("times in ms; load average %s\n", load.c_str());
    std::printf("%-16s %-17s %6s %7s %8s %8s %8s %9s\n", "case", "source", "ticks", "skipped",
                "wake p50", "wake p99", "wake max", "drift ms");
    compare("10 ms for 10 s", milliseconds(10), 1000);
    if (longRun) {
        compare("1000 ms x 60", milliseconds(1000), 60);
    }
    measureWakeUps();
    return 0;
}
