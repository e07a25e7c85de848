#pragma once
// Test hook: when the environment variable TONPARA_TEST_STATE_FILE names a
// file at start-up, the window writes its drill counters and key captions
// there after every handler, so an end-to-end test driving the real program
// with real key presses can read what the window holds. Nothing reads the
// variable otherwise, and nothing is written without it.
#include <QList>
#include <QPair>
#include <QString>
#include <memory>

namespace ui {

class TestStateFile {
public:
    static std::unique_ptr<TestStateFile> fromEnvironment();
    explicit TestStateFile(QString path);

    // Replaces the file as a whole (written aside, then renamed), so a
    // reader never sees half of it. One "name=value" line per entry.
    void write(const QList<QPair<QString, QString>>& entries) const;

private:
    QString path_;
};

} // namespace ui
