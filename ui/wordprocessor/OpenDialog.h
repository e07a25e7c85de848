#pragma once
// OpenDialog1: the file-open dialog of Load. Qt's own dialog rather than the
// desktop's, so that it behaves the same everywhere and tests can drive it.
// One filter, "テキストファイル" for *.txt, selected; the default title; one
// file at a time; a typed name need not exist (the open then fails with the
// error the learner should see, instead of the dialog refusing the name).
#include <QString>
#include <optional>

class QWidget;

namespace wordprocessor {

// Runs the dialog modally over `parent`. From the second opening on it
// starts at `lastFileName`, the full name chosen last. Returns the chosen
// full file name, or nothing when the learner cancels.
std::optional<QString> runOpenDialog(QWidget& parent, const QString& lastFileName);

} // namespace wordprocessor
