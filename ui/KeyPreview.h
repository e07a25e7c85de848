#pragma once
// Key preview: every key-down and key-up made while the window is active
// reaches the drill exactly once, before the control with the focus, and is
// never consumed. The filter sits on the window's own QWindow, which sees
// each key event once on its way to the focused widget; other top-level
// windows (the file dialog, the error box) keep their keys to themselves.
//
// Auto-repeat: each repeated press is a key-down; a release flagged as a
// repeat is no key-up, so only the real release is judged.
#include <QObject>
#include <cstdint>
#include <functional>

class QWindow;

namespace ui {

class KeyPreview : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void(std::uint16_t virtualKey)> keyDown;
        std::function<void()> keyUp;
    };

    KeyPreview(QWindow& window, Handlers handlers, QObject* parent);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWindow& window_;
    Handlers handlers_;
    bool scanCodesArePositions_;
};

// On X11 asks the server for detectable auto-repeat, so a held key sends
// presses only and no release until it is really let go; without it a
// repeat's release sometimes arrives unflagged, looking like a real one.
// Returns whether the server agreed; false on any other platform.
bool enableDetectableAutoRepeat();

} // namespace ui
