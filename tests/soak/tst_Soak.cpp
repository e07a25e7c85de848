// A long session through the real window on the offscreen platform:
// 100,000 keystrokes and 10,000 clock ticks, with mode switches, resets and
// region changes mixed in. Leaks are LeakSanitizer's to find (asan-ubsan
// build); here the resident memory must stay flat once the window is warm.
#include "../ui/FormFixture.h"
#include "ui/RadioGroup.h"

#include <QRadioButton>
#include <QTest>

#include <fstream>
#include <string>

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

constexpr bool kUnderSanitizer =
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    true;
#else
    false;
#endif

const Qt::Key kKeys[] = {Qt::Key_R, Qt::Key_F, Qt::Key_J, Qt::Key_Shift, Qt::Key_A,
                         Qt::Key_Space, Qt::Key_N, Qt::Key_1, Qt::Key_M, Qt::Key_Q};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testing_ui::prepareTestApplication(); }
    void longSessionKeepsMemoryFlat();
};

void TestSoak::longSessionKeepsMemoryFlat() {
    testing_ui::FormFixture f;
    QVERIFY(f.start());
    auto* mode = f.control<ui::RadioGroup>("RadioGroup2");
    QVERIFY(mode != nullptr);
    const char* regionButtons[] = {"Button4", "Button3", "Button2", "Button6", "Button1"};

    constexpr int kKeystrokes = 100'000;
    constexpr int kTicksEvery = 10; // 10,000 ticks in all
    constexpr int kWarmUp = 10'000;
    long warmKiB = 0;
    int ticks = 0;
    int modeSwitches = 0;

    for (int i = 1; i <= kKeystrokes; ++i) {
        const Qt::Key key = kKeys[static_cast<std::size_t>(i) % std::size(kKeys)];
        f.press(key);
        f.release(key);
        if (i % kTicksEvery == 0) {
            // Whichever clock runs ticks; the other has no platform timer.
            bool fired = f.timers.fire(f.form->timer("MMTimer1"));
            fired = f.timers.fire(f.form->timer("MMTimer2")) || fired;
            ticks += fired ? 1 : 0;
            QCoreApplication::processEvents();
        }
        if (i % 997 == 0) {
            const int next = (mode->itemIndex() + 1) % 3;
            QTest::mouseClick(mode->itemButton(next), Qt::LeftButton);
            ++modeSwitches;
            // Give the key preview its window focus back, as a learner's
            // click elsewhere would not: keys still reach the preview.
            f.form->setFocus();
        }
        if (i % 1499 == 0) {
            f.click("StaticText59");
            f.click("Label17");
        }
        if (i % 701 == 0) {
            f.click(regionButtons[static_cast<std::size_t>(i / 701) % std::size(regionButtons)]);
        }
        if (i == kWarmUp) {
            QCoreApplication::processEvents();
            warmKiB = residentKiB();
        }
    }
    QCoreApplication::processEvents();
    const long endKiB = residentKiB();
    qInfo("soak: %d keystrokes, %d ticks delivered, %d mode switches; RSS %ld KiB after warm-up, "
          "%ld KiB at the end (growth %ld KiB)",
          kKeystrokes, ticks, modeSwitches, warmKiB, endKiB, endKiB - warmKiB);

    QVERIFY(ticks > 0);
    QVERIFY(modeSwitches > 90);
    if (!kUnderSanitizer) {
        // A sanitizer's allocator quarantines freed memory, so its resident
        // size says nothing about our leaks; LeakSanitizer judges there.
        QVERIFY2(endKiB - warmKiB < 1024, "resident memory grew by 1 MB or more");
    }
}

QTEST_MAIN(TestSoak)
#include "tst_Soak.moc"
