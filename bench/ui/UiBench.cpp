// The window's speed and size.
//   key cycle: one key press plus release through the window's QWindow
//     until what it changed is painted, offscreen, sound silenced; p50/p99
//     over 2000 cycles, on the hit path (every key a hit: counters, accuracy
//     and task key repainted) and the miss path.
//   first paint: from launching the program to its first painted window on
//     a private X server (Xvfb), median of several launches, and the
//     resident memory after start-up there and offscreen.
// Run without arguments; "--first-paint" is the child run under Xvfb.
#include "../BenchFigure.h"
#include "platform/TimerService.h"
#include "ui/Application.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class SilentSound final : public drill::SoundPort {
public:
    void playSync(std::string_view) override {}
};

// Always slot 0: in the index region that is "R" again, so typing R hits
// every time.
class FirstSlot final : public drill::RandomPort {
public:
    void reseedFromTimeOfDay() override {}
    int draw(int) override { return 0; }
};

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
        }
    }
    return 0;
}

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    return values[at];
}

void keyCycles(TForm1& form, Qt::Key key, const char* path) {
    constexpr int kWarmUp = 200;
    constexpr int kCycles = 2000;
    QWindow* window = form.windowHandle();
    PaintCounter counter;
    form.control("Label4")->installEventFilter(&counter);
    std::vector<double> micros;
    micros.reserve(kCycles);
    for (int i = 0; i < kWarmUp + kCycles; ++i) {
        const auto start = Clock::now();
        QTest::simulateEvent(window, true, key, Qt::NoModifier, QString(), false);
        QTest::simulateEvent(window, false, key, Qt::NoModifier, QString(), false);
        // Anything still marked for repainting is painted before the clock
        // stops.
        QCoreApplication::sendPostedEvents(&form, QEvent::UpdateRequest);
        const auto end = Clock::now();
        if (i >= kWarmUp) {
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    const double p50 = percentile(micros, 0.50);
    const double p99 = percentile(micros, 0.99);
    std::printf("key cycle, %s path: %d cycles, p50 %.1f us, p99 %.1f us, max %.1f us, "
                "keystroke label painted %d times\n",
                path, kCycles, p50, p99, *std::max_element(micros.begin(), micros.end()),
                counter.paints);
    bench::printFigure(std::string("ui key cycle p50, ") + path, p50, "us", "");
    bench::printFigure(std::string("ui key cycle p99, ") + path, p99, "us", "< 1000 us");
}

int runKeyCycles(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::prepareApplication(app);
    SilentSound sound;
    FirstSlot random;
    TForm1 form(sound, random, platform::systemTimerService());
    form.show();
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fprintf(stderr, "the window was never activated\n");
        return 1;
    }
    QTest::qWait(100);
    std::printf("resident memory after start-up, offscreen: %.1f MB\n", residentMegabytes());
    keyCycles(form, Qt::Key_R, "hit");
    keyCycles(form, Qt::Key_F, "miss");
    return 0;
}

// Child: prints when the first paint of the window has reached the screen,
// then its resident memory once start-up has settled.
void phase(const char* name) {
    std::printf("PHASE %s %lld\n", name, monotonicNanoseconds());
}

int runFirstPaint(int argc, char** argv) {
    phase("main");
    QApplication app(argc, argv);
    phase("application");
    ui::prepareApplication(app);
    TForm1 form;
    phase("window built");
    bool reported = false;
    struct FirstPaint : QObject {
        std::function<void()> onPaint;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint && onPaint) {
                // The paint is flushed to the window when this round of
                // painting ends; report from the next turn of the loop.
                QTimer::singleShot(0, onPaint);
                onPaint = nullptr;
            }
            return false;
        }
    } firstPaint;
    firstPaint.onPaint = [&] {
        reported = true;
        std::printf("FIRSTPAINT %lld\n", monotonicNanoseconds());
        std::fflush(stdout);
        QTimer::singleShot(300, [&] {
            std::printf("RSS %.1f\n", residentMegabytes());
            std::fflush(stdout);
            app.quit();
        });
    };
    form.control("Form1")->installEventFilter(&firstPaint);
    form.show();
    QTimer::singleShot(10000, &app, &QApplication::quit);
    QApplication::exec();
    return reported ? 0 : 1;
}

QString freeDisplay() {
    for (int n = 90; n < 200; ++n) {
        if (!QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) &&
            !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
            return QStringLiteral(":%1").arg(n);
        }
    }
    return {};
}

void measureFirstPaint(const QString& self) {
    const QString display = freeDisplay();
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {display, QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                // Each launch is the server's only client; without this the
                // server resets as it leaves and may refuse the next one.
                QStringLiteral("-noreset")});
    if (display.isEmpty() || !xvfb.waitForStarted(5000)) {
        std::printf("first paint: no Xvfb, not measured\n");
        return;
    }
    const QString socket = QStringLiteral("/tmp/.X11-unix/X") + display.mid(1);
    for (int i = 0; i < 100 && !QFile::exists(socket); ++i) {
        QThread::msleep(50);
    }
    QThread::msleep(200);

    constexpr int kLaunches = 7;
    std::vector<double> millis;
    std::map<std::string, std::vector<double>> phases;
    std::vector<std::string> phaseOrder;
    double rss = 0;
    for (int i = 0; i < kLaunches; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        child.setProcessEnvironment(env);
        const long long launched = monotonicNanoseconds();
        child.start(self, {QStringLiteral("--first-paint")});
        if (!child.waitForFinished(15000) || child.exitCode() != 0) {
            std::printf("first paint: launch %d failed\n", i + 1);
            continue;
        }
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (line.startsWith("FIRSTPAINT ")) {
                millis.push_back(static_cast<double>(line.mid(11).toLongLong() - launched) / 1e6);
            } else if (line.startsWith("PHASE ")) {
                const QList<QByteArray> parts = line.split(' ');
                const std::string name = line.mid(6, line.lastIndexOf(' ') - 6).toStdString();
                if (phases.find(name) == phases.end()) {
                    phaseOrder.push_back(name);
                }
                phases[name].push_back(static_cast<double>(parts.back().toLongLong() - launched) /
                                       1e6);
            } else if (line.startsWith("RSS ")) {
                rss = line.mid(4).toDouble();
            }
        }
    }
    xvfb.terminate();
    xvfb.waitForFinished(3000);
    if (millis.empty()) {
        return;
    }
    std::printf(
        "first paint under Xvfb, launch to painted window: median %.1f ms, worst %.1f ms over %zu "
        "launches (the first launch loads from a cold disk cache)\n",
        percentile(millis, 0.5), *std::max_element(millis.begin(), millis.end()), millis.size());
    for (const std::string& name : phaseOrder) {
        std::printf("  %-14s reached after %6.1f ms (median)\n", name.c_str(),
                    percentile(phases[name], 0.5));
    }
    std::printf("resident memory after start-up under Xvfb: %.1f MB\n", rss);
    bench::printFigure("ui first paint under Xvfb (median)", percentile(millis, 0.5), "ms",
                       "< 300 ms");
    bench::printFigure("ui resident memory after start-up", rss, "MB", "< 60 MB");
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--first-paint") {
        return runFirstPaint(argc, argv);
    }
    const QString self = QString::fromLocal8Bit(argv[0]);
    const int status = runKeyCycles(argc, argv);
    if (status == 0) {
        measureFirstPaint(QDir::current().absoluteFilePath(self));
    }
    return status;
}
