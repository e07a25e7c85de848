#include "ui/wordprocessor/OpenDialog.h"

#include <QFileDialog>

namespace wordprocessor {

std::optional<QString> runOpenDialog(QWidget& parent, const QString& lastFileName) {
    QFileDialog dialog(&parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // AnyFile, not ExistingFile: the dialog would otherwise refuse a typed
    // name of a missing file. AcceptOpen keeps it an open dialog that asks no
    // overwrite question.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QString filter = QStringLiteral("テキストファイル (*.txt)");
    dialog.setNameFilter(filter);
    dialog.selectNameFilter(filter);
    if (!lastFileName.isEmpty()) {
        dialog.selectFile(lastFileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return files.first();
}

} // namespace wordprocessor
