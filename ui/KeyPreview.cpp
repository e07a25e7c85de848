#include "ui/KeyPreview.h"

#include "ui/KeyCodes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>

namespace ui {

KeyPreview::KeyPreview(QWindow& window, Handlers handlers, QObject* parent)
    : QObject(parent), window_(window), handlers_(std::move(handlers)) {
    // Under xcb and wayland the native scan code is the xkb keycode.
    const QString platform = QGuiApplication::platformName();
    scanCodesArePositions_ =
        platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    window_.installEventFilter(this);
}

KeyPreview::~KeyPreview() {
    window_.removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        handlers_.keyDown(virtualKeyCode({key->key(), key->nativeScanCode(),
                                          key->modifiers().testFlag(Qt::KeypadModifier),
                                          scanCodesArePositions_}));
    } else if (event->type() == QEvent::KeyRelease) {
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            handlers_.keyUp();
        }
    }
    // Never consumed: the focused control gets every key as usual.
    return false;
}

} // namespace ui
