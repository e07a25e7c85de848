#include "ui/Colours.h"

#include <QApplication>
#include <QPalette>

namespace ui {

QColor toQColor(drill::Colour colour) {
    if (drill::isSystemColour(colour)) {
        const QPalette palette = QApplication::palette();
        switch (colour) {
        case drill::clBtnFace:
            return palette.color(QPalette::Button);
        case drill::clWindow:
            return palette.color(QPalette::Base);
        case drill::clWindowText:
            return palette.color(QPalette::Text);
        default:
            break;
        }
        return palette.color(QPalette::Window);
    }
    return QColor(drill::redOf(colour), drill::greenOf(colour), drill::blueOf(colour));
}

} // namespace ui
