#pragma once
// Switches the desktop's Japanese input method on for a widget that has just
// received the keyboard focus. Qt has no call for this, so it goes to the
// input-method framework over the D-Bus session bus.
//
// fcitx5 is asked through its controller (org.fcitx.Fcitx5 /controller,
// Controller1.Activate). The call acts on the input context that fcitx saw
// focused last, so it is sent only once the focus-in has had time to reach
// fcitx, and only if the widget still has the focus then.
//
// IBus is left alone: IBus 1.5 has no on/off switch, only the choice of a
// global engine, and picking one would override the learner's own setup.
//
// Without a session bus, or without fcitx5 on it, nothing happens and nothing
// is printed. Nothing here ever switches the input method off.
#include <QObject>
#include <QTimer>

class QWidget;

namespace wordprocessor {

class InputMethodSwitch : public QObject {
    Q_OBJECT
public:
    explicit InputMethodSwitch(QWidget& target);

    // Called from the target's focus-in; the request is sent a moment later.
    void requestOn();

private:
    void sendIfStillFocused();

    QWidget& target_;
    QTimer delay_;
};

// Sends the activate request at once, without waiting for a reply and
// without starting a framework that is not running.
void activateInputMethod();

} // namespace wordprocessor
