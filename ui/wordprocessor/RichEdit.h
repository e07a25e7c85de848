#pragma once
// RichEdit1: the word-processor editor. A rich-text editor that wraps lines,
// lets Tab move the focus, hides its selection while unfocused and asks the
// running input-method framework to switch Japanese input on at every focus-in.
#include <QTextEdit>

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
