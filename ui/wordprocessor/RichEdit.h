#pragma once
// RichEdit1: the word-processor editor. A rich-text editor that wraps lines
// at its edge, has no scroll bars, lets Tab move the focus, hides its
// selection while unfocused and asks the running input-method framework to
// switch Japanese input on at every focus-in.
#include <QTextCursor>
#include <QTextEdit>
#include <memory>

namespace wordprocessor {
class InputMethodSwitch;
}

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);

    // Shows `document` in place of the current one, which is released. The
    // new document takes the editor's font for text without a font of its
    // own, starts with an empty undo history and the caret at its start.
    void replaceDocument(std::unique_ptr<QTextDocument> document);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    wordprocessor::InputMethodSwitch* inputMethod_;
    QTextCursor hiddenSelection_; // the selection while the editor is unfocused
};
