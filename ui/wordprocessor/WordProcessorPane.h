#pragma once
// Load and Blank of the word-processor pane. Errors are thrown (as
// std::runtime_error with the exact message) for the window's handler
// boundary to show; the editor's text is left untouched on every error.
#include <QString>

class QWidget;
class TRichEdit;

class WordProcessorPane {
public:
    // `dialogParent` is the window the file-open dialog is modal to.
    WordProcessorPane(TRichEdit& editor, QWidget& dialogParent);

    void Button7Click();  // Load
    void Button10Click(); // Blank

private:
    TRichEdit& editor_;
    QWidget& dialogParent_;
    QString lastFileName_;
};
