#include "ui/TextControl.h"

#include <QMouseEvent>
#include <QPalette>

namespace ui {

TextControl::TextControl(QWidget* parent, bool autoSize, int padding)
    : QLabel(parent), autoSize_(autoSize), padding_(padding) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setMargin(0);
    if (autoSize_) {
        setContentsMargins(padding_, padding_, padding_, padding_);
    }
}

void TextControl::setCaption(const QString& text) {
    if (text == this->text()) {
        return;
    }
    setText(text);
    // Also tells a screen reader that the name changed, so the next task
    // key is spoken as it appears.
    setAccessibleName(text);
    if (autoSize_) {
        fitToText();
    }
}

void TextControl::fitToText() {
    // An empty caption measures nothing at all, not one empty line.
    const QFontMetrics metrics(font());
    const int textWidth = text().isEmpty() ? 0 : metrics.horizontalAdvance(text());
    const int textHeight = text().isEmpty() ? 0 : metrics.height();
    resize(textWidth + 2 * padding_, textHeight + 2 * padding_);
}

void TextControl::setMarked(bool marked) {
    if (marked == marked_) {
        return;
    }
    marked_ = marked;
    QPalette swapped = palette();
    const QColor background = swapped.color(QPalette::Window);
    swapped.setColor(QPalette::Window, swapped.color(QPalette::WindowText));
    swapped.setColor(QPalette::WindowText, background);
    setPalette(swapped);
}

void TextControl::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TextControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        Q_EMIT clicked();
    }
}

} // namespace ui
