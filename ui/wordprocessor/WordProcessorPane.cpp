#include "ui/wordprocessor/WordProcessorPane.h"

#include "ui/wordprocessor/RichEdit.h"

WordProcessorPane::WordProcessorPane(TRichEdit& editor, QWidget& dialogParent)
    : editor_(editor), dialogParent_(dialogParent) {}

void WordProcessorPane::Button7Click() {}

void WordProcessorPane::Button10Click() { editor_.clear(); }
