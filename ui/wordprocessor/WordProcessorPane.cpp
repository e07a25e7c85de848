#include "ui/wordprocessor/WordProcessorPane.h"

#include "ui/wordprocessor/FileLoading.h"
#include "ui/wordprocessor/OpenDialog.h"
#include "ui/wordprocessor/RichEdit.h"

#include <QTextDocument>
#include <memory>
#include <utility>

WordProcessorPane::WordProcessorPane(TRichEdit& editor, QWidget& dialogParent)
    : editor_(editor), dialogParent_(dialogParent), chooseFile_(&wordprocessor::runOpenDialog) {}

void WordProcessorPane::setFileChooser(FileChooser chooser) {
    chooseFile_ = std::move(chooser);
}

void WordProcessorPane::Button7Click() {
    const std::optional<QString> chosen = chooseFile_(dialogParent_, lastFileName_);
    if (!chosen) {
        return;
    }
    // The dialog keeps the name even when the file then fails to open, so
    // the learner can correct a typing mistake.
    lastFileName_ = *chosen;
    editor_.replaceDocument(wordprocessor::loadDocument(*chosen));
}

// A fresh document rather than clear(): clear() keeps the format at the
// caret, so text typed next would look like the text that was loaded.
void WordProcessorPane::Button10Click() {
    editor_.replaceDocument(std::make_unique<QTextDocument>());
}
