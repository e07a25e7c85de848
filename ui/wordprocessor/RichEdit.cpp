#include "ui/wordprocessor/RichEdit.h"

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void TRichEdit::focusInEvent(QFocusEvent* event) { QTextEdit::focusInEvent(event); }

void TRichEdit::focusOutEvent(QFocusEvent* event) { QTextEdit::focusOutEvent(event); }
