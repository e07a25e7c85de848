#include "ui/HandlerBoundary.h"

namespace ui {

bool needsFullStop(std::string_view utf8Message) {
    return !utf8Message.empty() && static_cast<unsigned char>(utf8Message.back()) > 0x2E;
}

QString errorBoxText(std::string_view utf8Message) {
    QString text =
        QString::fromUtf8(utf8Message.data(), static_cast<qsizetype>(utf8Message.size()));
    if (needsFullStop(utf8Message)) {
        text += QLatin1Char('.');
    }
    return text;
}

HandlerBoundary::HandlerBoundary(Presenter presenter) : presenter_(std::move(presenter)) {}

void HandlerBoundary::whenIdle(std::function<void()> work) {
    if (busy() || draining_) {
        deferred_.push_back(std::move(work));
        return;
    }
    work();
}

void HandlerBoundary::drain() {
    // A deferred item usually runs a handler itself, which lands back here
    // at depth 0; the flag keeps that inner call from draining out of order.
    if (draining_) {
        return;
    }
    struct Draining {
        explicit Draining(bool& flag) : flag_(flag) { flag_ = true; }
        ~Draining() { flag_ = false; }
        Draining(const Draining&) = delete;
        Draining& operator=(const Draining&) = delete;
        bool& flag_;
    };
    {
        const Draining guard(draining_);
        while (!deferred_.empty()) {
            std::function<void()> work = std::move(deferred_.front());
            deferred_.pop_front();
            work();
        }
    }
    if (afterHandler_) {
        afterHandler_();
    }
}

} // namespace ui
