#pragma once
// Every handler the window's thread runs (keys, clicks, ticks, the first
// activation, Load and Blank) goes through run(). An exception that escapes
// the handler ends it at the failing step and is shown in the error box;
// the program then goes on. While a handler is part-way through, which
// includes the nested event loop of a dialog or of the error box itself,
// work offered through whenIdle() waits and runs as soon as the outermost
// handler has ended.
#include <QString>
#include <deque>
#include <exception>
#include <functional>
#include <string_view>
#include <utility>

namespace ui {

// The error box appends "." when the message's last character sorts after
// "." in byte order; for UTF-8 that is its last byte, since every byte of a
// multi-byte character is above 0x2E. An empty message gets nothing.
bool needsFullStop(std::string_view utf8Message);
QString errorBoxText(std::string_view utf8Message);

class HandlerBoundary {
public:
    // Shows the finished text, modally; runs inside the failing handler, so
    // deferred work keeps waiting until the box is dismissed.
    using Presenter = std::function<void(const QString& text)>;
    // Runs after every outermost handler, once deferred work is done.
    using AfterHandler = std::function<void()>;

    explicit HandlerBoundary(Presenter presenter);

    template <class Handler> void run(Handler&& handler) {
        {
            const Depth depth(depth_);
            try {
                std::forward<Handler>(handler)();
            } catch (const std::exception& error) {
                presenter_(errorBoxText(error.what()));
            }
        }
        if (depth_ == 0) {
            drain();
        }
    }

    bool busy() const { return depth_ > 0; }
    // Runs `work` now when no handler is under way, else after the
    // outermost one ends. `work` re-checks whatever it depends on.
    void whenIdle(std::function<void()> work);
    void setAfterHandler(AfterHandler hook) { afterHandler_ = std::move(hook); }

private:
    struct Depth {
        explicit Depth(int& depth) : depth_(depth) { ++depth_; }
        ~Depth() { --depth_; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
        int& depth_;
    };

    void drain();

    Presenter presenter_;
    AfterHandler afterHandler_;
    int depth_ = 0;
    bool draining_ = false;
    std::deque<std::function<void()>> deferred_;
};

} // namespace ui
