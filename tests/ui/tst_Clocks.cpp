// The clocks' ticks on the window's thread: applied as one step between
// handlers, never once their timer has been stopped (not even a tick
// already queued), deferred while a handler is under way, and gone with
// the window.
#include "FormFixture.h"
#include "ui/RadioGroup.h"
#include "ui/TextControl.h"

#include <QRadioButton>
#include <QtTest>

using testing_ui::FormFixture;

namespace {

// Runs a control's click handler at once, without processing the event
// queue first, so a tick already queued is still waiting behind it.
void clickNow(FormFixture& f, std::string_view name) {
    QVERIFY(QMetaObject::invokeMethod(f.control(name), "clicked", Qt::DirectConnection));
}

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

class TestClocks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testing_ui::prepareTestApplication(); }

    void elapsedTickShowsMinutesAndSeconds();
    void queuedTickOfAStoppedTimerIsDropped();
    void queuedTickOfAStoppedAndRestartedTimerIsDropped();
    void tickWaitsForTheHandlerUnderWay();
    void elapsedTickPaintsAtOnce();
    void countdownStopsItselfAtTimeUp();
    void realServiceTicksAndStops();
    void noTickReachesAReleasedWindow();
};

void TestClocks::elapsedTickShowsMinutesAndSeconds() {
    FormFixture f;
    QVERIFY(f.start());
    f.type(Qt::Key_A);
    const TMMTimer& clock = f.form->timer("MMTimer1");
    QVERIFY(clock.Enabled());
    for (int tick = 1; tick <= 61; ++tick) {
        QVERIFY(f.timers.fire(clock));
        QCoreApplication::processEvents();
    }
    QCOMPARE(f.caption("StaticText55"), "1");
    QCOMPARE(f.caption("StaticText56"), "1");
    // Keys neither restart nor hasten the running clock.
    f.type(Qt::Key_B);
    QCOMPARE(f.timers.runningCount(), std::size_t{1});
    QCOMPARE(f.state().ElapsedSeconds, 61);
}

void TestClocks::queuedTickOfAStoppedTimerIsDropped() {
    FormFixture f;
    QVERIFY(f.start());
    f.type(Qt::Key_A);
    QVERIFY(f.timers.fire(f.form->timer("MMTimer1"))); // queued, not yet applied
    clickNow(f, "StaticText59");                       // the standard reset
    QCoreApplication::processEvents();
    QCOMPARE(f.state().ElapsedSeconds, 0);
    QCOMPARE(f.caption("StaticText56"), "0");
}

void TestClocks::queuedTickOfAStoppedAndRestartedTimerIsDropped() {
    FormFixture f;
    QVERIFY(f.start());
    f.type(Qt::Key_A);
    QVERIFY(f.timers.fire(f.form->timer("MMTimer1")));
    clickNow(f, "StaticText59");
    // The next key-down enables the clock again before the old tick is
    // taken from the queue: enabled, but not the run that tick belongs to.
    f.type(Qt::Key_A);
    QVERIFY(f.form->timer("MMTimer1").Enabled());
    QCOMPARE(f.state().ElapsedSeconds, 0);
    QCOMPARE(f.caption("StaticText56"), "0");
}

void TestClocks::tickWaitsForTheHandlerUnderWay() {
    FormFixture f;
    QVERIFY(f.start());
    int secondsDuringSound = -1;
    f.sound.whilePlaying = [&] {
        // A tick arriving while the release is handled, even through a
        // nested event loop (as a dialog or the error box would run).
        f.timers.fire(f.form->timer("MMTimer1"));
        QCoreApplication::processEvents();
        secondsDuringSound = f.state().ElapsedSeconds;
    };
    f.type(Qt::Key_R);
    QCOMPARE(secondsDuringSound, 0);
    QTRY_COMPARE(f.state().ElapsedSeconds, 1);
    QCOMPARE(f.caption("StaticText56"), "1");
}

void TestClocks::elapsedTickPaintsAtOnce() {
    FormFixture f;
    QVERIFY(f.start());
    f.type(Qt::Key_A);
    QTest::qWait(50); // let the window settle its first paints
    PaintCounter counter(f.control("StaticText56"));
    f.timers.fire(f.form->timer("MMTimer1"));
    // Only the queued tick itself runs here; a paint within it can only
    // come from the tick's own immediate update.
    QCoreApplication::sendPostedEvents(f.form.get(), QEvent::MetaCall);
    QCOMPARE(f.caption("StaticText56"), "1");
    QVERIFY(counter.paints > 0);
}

void TestClocks::countdownStopsItselfAtTimeUp() {
    FormFixture f;
    QVERIFY(f.start());
    QTest::mouseClick(f.control<ui::RadioGroup>("RadioGroup2")->itemButton(1), Qt::LeftButton);
    QVERIFY(!f.control("Panel10")->isHidden());
    f.type(Qt::Key_A);
    const TMMTimer& countdown = f.form->timer("MMTimer2");
    QVERIFY(f.timers.fire(countdown));
    QCoreApplication::processEvents();
    QCOMPARE(f.caption("Label18"), "59");
    for (int tick = 2; tick <= 60; ++tick) {
        QVERIFY(f.timers.fire(countdown));
        QCoreApplication::processEvents();
    }
    QCOMPARE(f.caption("Label18"), "0");
    QVERIFY(!countdown.Enabled());
    QCOMPARE(f.timers.runningCount(), std::size_t{0});
    QCOMPARE(f.control("Form1")->palette().color(QPalette::Window), QColor(Qt::yellow));
    QCOMPARE(f.control("statictext48")->palette().color(QPalette::Window), QColor(Qt::yellow));
}

void TestClocks::realServiceTicksAndStops() {
    FormFixture f;
    QVERIFY(f.start(&platform::systemTimerService()));
    f.type(Qt::Key_A);
    QTRY_COMPARE_WITH_TIMEOUT(f.caption("StaticText56"), std::string("1"), 10000);
    clickNow(f, "StaticText59");
    QCOMPARE(f.caption("StaticText56"), "0");
    // Stopped: however long we wait, the labels keep the reset's "0".
    QTest::qWait(1500);
    QCOMPARE(f.caption("StaticText56"), "0");
    QCOMPARE(f.state().ElapsedSeconds, 0);
}

void TestClocks::noTickReachesAReleasedWindow() {
    FormFixture f;
    QVERIFY(f.start());
    f.type(Qt::Key_A);
    QVERIFY(f.timers.fire(f.form->timer("MMTimer1")));
    f.form.reset();
    QCOMPARE(f.timers.runningCount(), std::size_t{0});
    QCoreApplication::processEvents(); // the queued tick must go nowhere
}

QTEST_MAIN(TestClocks)
#include "tst_Clocks.moc"
