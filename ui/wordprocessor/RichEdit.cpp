#include "ui/wordprocessor/RichEdit.h"

#include "ui/wordprocessor/InputMethodSwitch.h"

#include <QFocusEvent>
#include <QTextDocument>

TRichEdit::TRichEdit(QWidget* parent)
    : QTextEdit(parent), inputMethod_(new wordprocessor::InputMethodSwitch(*this)) {
    setAcceptRichText(true);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    // A word longer than the line is broken rather than run past the edge,
    // which no scroll bar could reach.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void TRichEdit::replaceDocument(std::unique_ptr<QTextDocument> document) {
    QTextDocument* previous = this->document();
    // setDocument releases only the document the editor made itself, not
    // one given to it earlier; that one is ours to delete.
    const bool previousIsOurs = previous->parent() == this;
    document->setParent(this);
    document->setDefaultFont(font());
    document->setUndoRedoEnabled(true);
    setDocument(document.release()); // carries the wrap mode over
    if (previousIsOurs) {
        delete previous;
    }
    moveCursor(QTextCursor::Start);
}

void TRichEdit::focusInEvent(QFocusEvent* event) {
    // The selection comes back only into the document it was made in; a
    // load or a blank while the editor was unfocused has replaced that one.
    if (!hiddenSelection_.isNull() && hiddenSelection_.document() == document()) {
        setTextCursor(hiddenSelection_);
    }
    hiddenSelection_ = QTextCursor();
    QTextEdit::focusInEvent(event);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    inputMethod_->requestOn();
}

// Qt paints the selection of an unfocused editor in the inactive colours,
// and in place of the text's own colours, so no palette can make it
// invisible. The selection is taken off the caret instead and kept aside.
// A context menu still acts on it, so a popup leaves it in place.
void TRichEdit::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    QTextCursor cursor = textCursor();
    if (event->reason() == Qt::PopupFocusReason || !cursor.hasSelection()) {
        return;
    }
    hiddenSelection_ = cursor;
    cursor.clearSelection();
    setTextCursor(cursor);
}
