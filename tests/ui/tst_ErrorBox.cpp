// The handler boundary: the error box's text rule, work deferred while a
// handler (or its error box) is under way, and the real timer service's
// "no timer" failure shown once for the key-down that met it.
#include "FormFixture.h"
#include "platform/TimerTestHooks.h"
#include "ui/HandlerBoundary.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <stdexcept>

using testing_ui::FormFixture;

namespace {

struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    bool modal;
};

// Answers every error box as the learner would, recording what it showed.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        connect(&poll_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            shown.push_back({box->windowTitle(), box->text(), box->icon(), box->isModal()});
            box->button(QMessageBox::Ok)->click();
        });
        poll_.start(10);
    }
    std::vector<ShownBox> shown;

private:
    QTimer poll_;
};

} // namespace

class TestErrorBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testing_ui::prepareTestApplication(); }
    void cleanup() { platform::setTimerCreationFailsForTesting(false); }

    void fullStopRule_data();
    void fullStopRule();
    void boundaryShowsTheErrorAndGoesOn();
    void workWaitsForTheOutermostHandler();
    void noTimerAvailableIsShownOncePerFailure();
};

void TestErrorBox::fullStopRule_data() {
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("timer error") << QByteArray("No timer available")
                                 << QStringLiteral("No timer available.");
    QTest::newRow("Japanese ending")
        << QByteArray("0 による浮動小数点数除算") << QString::fromUtf8("0 による浮動小数点数除算.");
    QTest::newRow("half-width katakana ending")
        << QByteArray("ﾌｧｲﾙ /tmp/x.txt は開けません")
        << QString::fromUtf8("ﾌｧｲﾙ /tmp/x.txt は開けません.");
    QTest::newRow("already a full stop") << QByteArray("Done.") << QStringLiteral("Done.");
    QTest::newRow("exclamation sorts before the stop")
        << QByteArray("Stop!") << QStringLiteral("Stop!");
    QTest::newRow("hyphen sorts before the stop") << QByteArray("a-") << QStringLiteral("a-");
    QTest::newRow("space sorts before the stop") << QByteArray("a ") << QStringLiteral("a ");
    QTest::newRow("slash sorts after the stop") << QByteArray("a/") << QStringLiteral("a/.");
    QTest::newRow("digit") << QByteArray("error 7") << QStringLiteral("error 7.");
    QTest::newRow("empty message gets nothing") << QByteArray() << QString();
}

void TestErrorBox::fullStopRule() {
    QFETCH(QByteArray, message);
    QFETCH(QString, shown);
    const std::string_view utf8(message.constData(), static_cast<std::size_t>(message.size()));
    QCOMPARE(ui::errorBoxText(utf8), shown);
    QCOMPARE(ui::needsFullStop(utf8), shown.size() > QString::fromUtf8(message).size());
}

void TestErrorBox::boundaryShowsTheErrorAndGoesOn() {
    QStringList shown;
    int afterHandler = 0;
    ui::HandlerBoundary boundary([&](const QString& text) { shown << text; });
    boundary.setAfterHandler([&] { ++afterHandler; });
    int steps = 0;
    boundary.run([&] {
        ++steps;
        throw std::runtime_error("No timer available");
    });
    boundary.run([&] { ++steps; });
    QCOMPARE(shown, QStringList{QStringLiteral("No timer available.")});
    QCOMPARE(steps, 2);
    QCOMPARE(afterHandler, 2);
}

void TestErrorBox::workWaitsForTheOutermostHandler() {
    std::vector<std::string> order;
    ui::HandlerBoundary* self = nullptr;
    ui::HandlerBoundary boundary([&](const QString&) {
        // The error box's own loop: a tick offered now still waits.
        self->whenIdle([&] { order.emplace_back("tick during box"); });
        order.emplace_back("box");
    });
    self = &boundary;
    boundary.run([&] {
        boundary.whenIdle([&] { order.emplace_back("tick during handler"); });
        boundary.run([&] { order.emplace_back("nested handler"); });
        order.emplace_back("handler end");
        throw std::runtime_error("late failure");
    });
    boundary.whenIdle([&] { order.emplace_back("tick when idle"); });
    QCOMPARE(order, (std::vector<std::string>{"nested handler", "handler end", "box",
                                              "tick during handler", "tick during box",
                                              "tick when idle"}));
    QVERIFY(!boundary.busy());
}

void TestErrorBox::noTimerAvailableIsShownOncePerFailure() {
    platform::setTimerCreationFailsForTesting(true);
    FormFixture f;
    QVERIFY(f.start(&platform::systemTimerService()));
    BoxAnswerer answerer;

    f.press(Qt::Key_R);
    QCOMPARE(answerer.shown.size(), std::size_t{1});
    const ShownBox& box = answerer.shown.front();
    QCOMPARE(box.title, QStringLiteral("Tonpara"));
    QCOMPARE(box.text, QStringLiteral("No timer available."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY(box.modal);
    // The key-down ended at the failing step: counted, nothing shown.
    QCOMPARE(f.state().KeyCount, 1);
    QCOMPARE(f.caption("Label4"), "0");
    QCOMPARE(f.caption("statictext50"), "");
    f.release(Qt::Key_R);
    QCOMPARE(f.sound.played, std::vector<std::string>{"mis.wav"});

    // The timer counts as enabled, so later key-downs do not try again.
    f.type(Qt::Key_R);
    f.type(Qt::Key_F);
    QCOMPARE(answerer.shown.size(), std::size_t{1});
    QCOMPARE(f.caption("Label4"), "3");
    QCOMPARE(f.caption("statictext50"), "F");
    QVERIFY(f.form->timer("MMTimer1").Enabled());

    // After a reset the next key-down tries again, and fails again.
    f.click("StaticText59");
    f.type(Qt::Key_A);
    QCOMPARE(answerer.shown.size(), std::size_t{2});
    QCOMPARE(f.state().KeyCount, 1);
}

QTEST_MAIN(TestErrorBox)
#include "tst_ErrorBox.moc"
