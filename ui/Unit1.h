#pragma once
// Form1: the main window. It builds every control from the stored form,
// serves the drill as its window port, previews every key, runs every
// handler through the one boundary that shows escaping errors, and brings
// the two clocks' ticks onto its own thread.
#include "drill/Drill.h"
#include "drill/Ports.h"
#include "platform/Component.h"
#include "platform/TimerService.h"
#include "timer/NewCtrls.h"
#include "ui/FormBuilder.h"
#include "ui/HandlerBoundary.h"

#include <QWidget>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

class QScrollArea;
class WordProcessorPane;

namespace ui {
class KeyPreview;
class TestStateFile;
} // namespace ui

class TForm1 : public QWidget, public drill::WindowPort {
    Q_OBJECT
public:
    // The real sound, random source and timer service.
    TForm1();
    // Ports supplied by the caller, who keeps them alive beyond the window.
    TForm1(drill::SoundPort& sound, drill::RandomPort& random, platform::TimerService& timers);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // drill::WindowPort. Unknown control names throw std::out_of_range.
    void setCaption(std::string_view control, std::string_view text) override;
    std::string caption(std::string_view control) const override;
    void setColour(std::string_view control, drill::Colour colour) override;
    void setFontColour(std::string_view keyCell, drill::Colour colour) override;
    void setVisible(std::string_view control, bool shown) override;
    using QWidget::setVisible;
    int itemIndex(std::string_view selector) const override;
    void setTimerEnabled(std::string_view timer, bool enabled) override;
    void paintPendingNow() override;

    // The named control ("Form1" is the client surface), or nullptr.
    QWidget* control(std::string_view name) const;
    const drill::DrillState& drillState() const { return drill_.state(); }
    const TMMTimer& timer(std::string_view name) const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TForm1(std::unique_ptr<drill::SoundPort> sound, std::unique_ptr<drill::RandomPort> random);

    QWidget& named(std::string_view name) const;
    std::size_t timerIndex(std::string_view name) const;
    TMMTimer& timerNamed(std::string_view name) const;
    void createTimers(platform::TimerService& timers);
    void bindEvents();
    void installKeyPreview();
    void placeFrame();
    void showError(const QString& text);
    void writeStateFile();

    // Handler entry points, on the window's thread.
    void ensureActivated();
    void keyDown(std::uint16_t virtualKey);
    void keyUp();
    template <class Handler> void runHandler(Handler&& handler) {
        if (!destroying_) {
            boundary_.run(std::forward<Handler>(handler));
        }
    }

    // Timer thread: posts the tick, stamped with the timer's stop epoch.
    void postTick(std::size_t index);
    // Window thread: applies a posted tick unless its timer was stopped
    // since it was stamped.
    void deliverTick(std::size_t index, std::uint64_t epoch);

    std::unique_ptr<drill::SoundPort> ownedSound_;
    std::unique_ptr<drill::RandomPort> ownedRandom_;

    QScrollArea* scrollArea_ = nullptr;
    QWidget* client_ = nullptr;
    ui::ControlMap controls_;
    ui::HandlerBoundary boundary_;
    drill::Drill drill_;

    // Owner of the two timer components, as the stored form's owner would
    // be; releasing it releases them.
    platform::TComponent components_{nullptr};
    std::array<TMMTimer*, 2> timers_{};
    // Bumped on the window's thread after every stop of a timer has
    // returned; a tick stamped with an older value belongs to a run that
    // was stopped and is dropped.
    std::array<std::atomic<std::uint64_t>, 2> stopEpochs_{};

    std::unique_ptr<WordProcessorPane> pane_;
    ui::KeyPreview* keyPreview_ = nullptr;
    std::unique_ptr<ui::TestStateFile> stateFile_;
    // What the drill's key handlers have been called with, for the test
    // hook's state file.
    int activations_ = 0;
    int keyDowns_ = 0;
    int keyUps_ = 0;
    bool activated_ = false;
    bool frameAdjusted_ = false;
    bool destroying_ = false;
};
