#include "ui/wordprocessor/InputMethodSwitch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QWidget>

namespace wordprocessor {
namespace {

// Long enough for the toolkit's own focus-in message to the framework to go
// first, short enough that the learner can type at once.
constexpr int kDelayMs = 50;

} // namespace

InputMethodSwitch::InputMethodSwitch(QWidget& target) : QObject(&target), target_(target) {
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMs);
    connect(&delay_, &QTimer::timeout, this, &InputMethodSwitch::sendIfStillFocused);
}

void InputMethodSwitch::requestOn() {
    delay_.start();
}

void InputMethodSwitch::sendIfStillFocused() {
    // A request for a widget that has lost the focus again would switch on
    // whatever input context fcitx saw last.
    if (target_.hasFocus()) {
        activateInputMethod();
    }
}

void activateInputMethod() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"), QStringLiteral("Activate"));
    // A bus may know how to start fcitx5 on demand; switching input on must
    // not launch an input method the learner does not run.
    call.setAutoStartService(false);
    // send() discards the reply, the "no such service" error included.
    bus.send(call);
}

} // namespace wordprocessor
