#include "ui/TestStateFile.h"

#include <QSaveFile>
#include <cstdlib>

namespace ui {

std::unique_ptr<TestStateFile> TestStateFile::fromEnvironment() {
    const QString path = qEnvironmentVariable("TONPARA_TEST_STATE_FILE");
    if (path.isEmpty()) {
        return nullptr;
    }
    return std::make_unique<TestStateFile>(path);
}

TestStateFile::TestStateFile(QString path) : path_(std::move(path)) {}

void TestStateFile::write(const QList<QPair<QString, QString>>& entries) const {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return;
    }
    for (const auto& [name, value] : entries) {
        file.write((name + QLatin1Char('=') + value + QLatin1Char('\n')).toUtf8());
    }
    file.commit();
}

} // namespace ui
