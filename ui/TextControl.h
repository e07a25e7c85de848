#pragma once
// A static text or a label: one line of text on an opaque background. A
// control without a colour of its own leaves the Window role of its palette
// unset, so it paints its container's current colour and follows it.
#include <QLabel>

namespace ui {

class TextControl : public QLabel {
    Q_OBJECT
public:
    // `padding` is the space an auto-sized control adds around its text on
    // every side: 2 for a static text (its text plus 4 pixels each way), 0
    // for a label. Ignored while `autoSize` is false.
    TextControl(QWidget* parent, bool autoSize, int padding);

    // Sets the text and its accessible name; an auto-sized control then
    // takes the size of the new text, keeping its top-left corner.
    void setCaption(const QString& text);
    // Takes the size of the current text, keeping the top-left corner.
    void fitToText();

    // A marked key cell (font colour clNone, which names no colour) swaps
    // its background and text colours until the next font colour arrives.
    void setMarked(bool marked);
    bool marked() const { return marked_; }

Q_SIGNALS:
    // Left button pressed and released over the control.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool autoSize_;
    int padding_;
    bool marked_ = false;
    bool pressed_ = false;
};

} // namespace ui
