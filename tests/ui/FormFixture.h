#pragma once
// A freshly built, shown and activated window over stub ports: sounds are
// recorded instead of played, the random draw is fixed, and the timer
// service only ticks when a test fires it. Each test makes its own window.
#include "drill/Ports.h"
#include "platform/TimerService.h"
#include "ui/Application.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testing_ui {

class RecordingSound final : public drill::SoundPort {
public:
    void playSync(std::string_view fileName) override {
        played.emplace_back(fileName);
        if (whilePlaying) {
            whilePlaying();
        }
    }
    std::vector<std::string> played;
    // Runs inside the sound, as if the sound took time.
    std::function<void()> whilePlaying;
};

class CountingRandom final : public drill::RandomPort {
public:
    void reseedFromTimeOfDay() override { ++reseeds; }
    int draw(int) override { return 0; }
    int reseeds = 0;
};

// Ticks only when fire() is called; fails on demand.
class ManualTimerService final : public platform::TimerService {
public:
    std::uint32_t timeSetEvent(std::uint32_t delayMs, std::uint32_t,
                               platform::TimerCallback callback, std::uintptr_t user,
                               std::uint32_t) override {
        const std::uint32_t id = nextId_++;
        running_[id] = {callback, user, delayMs};
        return id;
    }
    void timeKillEvent(std::uint32_t timerId) override { running_.erase(timerId); }

    // Calls the callback of every running timer whose user data is `timer`,
    // as the service's thread would.
    bool fire(const TMMTimer& timer) {
        for (const auto& [id, entry] : running_) {
            if (entry.user == reinterpret_cast<std::uintptr_t>(&timer)) {
                entry.callback(id, 0, entry.user, 0, 0);
                return true;
            }
        }
        return false;
    }
    std::size_t runningCount() const { return running_.size(); }

private:
    struct Entry {
        platform::TimerCallback callback;
        std::uintptr_t user;
        std::uint32_t delayMs;
    };
    std::map<std::uint32_t, Entry> running_;
    std::uint32_t nextId_ = 1;
};

inline void prepareTestApplication() {
    ui::prepareApplication(*qApp);
}

struct FormFixture {
    RecordingSound sound;
    CountingRandom random;
    ManualTimerService timers;
    std::unique_ptr<TForm1> form;

    // Builds and shows the window and waits for its first activation.
    bool start(platform::TimerService* service = nullptr) {
        form = std::make_unique<TForm1>(sound, random, service != nullptr ? *service : timers);
        form->show();
        return QTest::qWaitForWindowActive(form.get());
    }
    QWindow* window() const { return form->windowHandle(); }
    QWidget* control(std::string_view name) const { return form->control(name); }
    template <class T> T* control(std::string_view name) const {
        return qobject_cast<T*>(form->control(name));
    }
    std::string caption(std::string_view name) const { return form->caption(name); }
    const drill::DrillState& state() const { return form->drillState(); }

    // Real key events into the window: through its QWindow, as the
    // platform delivers them.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyPress(window(), key, modifiers);
    }
    void release(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyRelease(window(), key, modifiers);
    }
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window(), key, modifiers);
    }
    // A click in the middle of the named control.
    void click(std::string_view name) const {
        QWidget* widget = form->control(name);
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    }
};

} // namespace testing_ui
