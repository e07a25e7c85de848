#pragma once
// Load and Blank of the word-processor pane. Errors are thrown (as
// std::runtime_error with the exact message) for the window's handler
// boundary to show; the editor's text is left untouched on every error.
#include <QString>
#include <functional>
#include <optional>

class QWidget;
class TRichEdit;

class WordProcessorPane {
public:
    // Chooses a file: given the window to be modal to and the full name
    // chosen last (empty at first), returns the chosen full name or nothing
    // when the learner cancels.
    using FileChooser =
        std::function<std::optional<QString>(QWidget& parent, const QString& lastFileName)>;

    // `dialogParent` is the window the file-open dialog is modal to.
    WordProcessorPane(TRichEdit& editor, QWidget& dialogParent);

    // Replaces the real dialog, so the load can run without one.
    void setFileChooser(FileChooser chooser);

    void Button7Click();  // Load
    void Button10Click(); // Blank

    // The name the dialog starts with next time; kept for the program's life.
    const QString& lastFileName() const { return lastFileName_; }

private:
    TRichEdit& editor_;
    QWidget& dialogParent_;
    QString lastFileName_;
    FileChooser chooseFile_;
};
