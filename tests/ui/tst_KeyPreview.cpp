// Key preview: every key-down and key-up reaches the drill exactly once,
// before the focused control, which still gets the key; letters give their
// code whatever the modifiers or layout; auto-repeat counts key-downs only.
#include "FormFixture.h"
#include "ui/KeyCodes.h"
#include "ui/RadioGroup.h"
#include "ui/TextControl.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest>

using testing_ui::FormFixture;

class TestKeyPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testing_ui::prepareTestApplication(); }

    void virtualKeyCodes_data();
    void virtualKeyCodes();
    void exactlyOnceWhateverHasTheFocus_data();
    void exactlyOnceWhateverHasTheFocus();
    void modifiersGiveTheCapitalLetter_data();
    void modifiersGiveTheCapitalLetter();
    void autoRepeatCountsKeyDownsAndJudgesOnce();
    void marksLastUntilTheNextRelease();
    void keysTypedDuringASoundFollowInOrder();
};

void TestKeyPreview::virtualKeyCodes_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<uint>("scanCode");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<bool>("positions");
    QTest::addColumn<int>("expected");

    QTest::newRow("letter A") << int(Qt::Key_A) << 38u << false << true << 65;
    QTest::newRow("letter Z, no scan codes") << int(Qt::Key_Z) << 0u << false << false << 90;
    QTest::newRow("AZERTY: A typed at the Q position")
        << int(Qt::Key_A) << 24u << false << true << 65;
    QTest::newRow("Cyrillic at the R position") << 0x041A << 27u << false << true << 82;
    QTest::newRow("kana at the F position") << 0x30CF << 41u << false << true << 70;
    QTest::newRow("Cyrillic without scan codes") << 0x041A << 0u << false << false << 0;
    QTest::newRow("Dvorak apostrophe at the Q position")
        << int(Qt::Key_Apostrophe) << 24u << false << true << 0;
    QTest::newRow("digit 1") << int(Qt::Key_1) << 10u << false << true << 49;
    QTest::newRow("shifted 1 stays the digit key")
        << int(Qt::Key_Exclam) << 10u << false << true << 49;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << 84u << true << true << 101;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << 50u << false << true << 16;
    QTest::newRow("Control") << int(Qt::Key_Control) << 37u << false << true << 17;
    QTest::newRow("Alt") << int(Qt::Key_Alt) << 64u << false << true << 18;
    QTest::newRow("Space") << int(Qt::Key_Space) << 65u << false << true << 32;
    QTest::newRow("Return") << int(Qt::Key_Return) << 36u << false << true << 13;
    QTest::newRow("F4") << int(Qt::Key_F4) << 70u << false << true << 115;
    QTest::newRow("Left") << int(Qt::Key_Left) << 113u << false << true << 37;
    QTest::newRow("unknown key") << int(Qt::Key_unknown) << 0u << false << true << 0;
    QTest::newRow("unmapped punctuation") << int(Qt::Key_BracketLeft) << 34u << false << true << 0;
}

void TestKeyPreview::virtualKeyCodes() {
    QFETCH(int, qtKey);
    QFETCH(uint, scanCode);
    QFETCH(bool, keypad);
    QFETCH(bool, positions);
    QFETCH(int, expected);
    QCOMPARE(int(ui::virtualKeyCode({qtKey, scanCode, keypad, positions})), expected);
}

namespace {
enum class Focus { Window, RadioButton, PushButton, Editor };
}

void TestKeyPreview::exactlyOnceWhateverHasTheFocus_data() {
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("window") << int(Focus::Window) << int(Qt::Key_F);
    QTest::newRow("radio button, arrow moves the choice")
        << int(Focus::RadioButton) << int(Qt::Key_Down);
    QTest::newRow("push button, space presses it") << int(Focus::PushButton) << int(Qt::Key_Space);
    QTest::newRow("editor, letter is typed") << int(Focus::Editor) << int(Qt::Key_R);
}

void TestKeyPreview::exactlyOnceWhateverHasTheFocus() {
    QFETCH(int, focus);
    QFETCH(int, key);
    FormFixture f;
    QVERIFY(f.start());
    auto* keyboard = f.control<ui::RadioGroup>("RadioGroup1");
    auto* editor = f.control<QTextEdit>("RichEdit1");
    QWidget* target = f.form.get();
    switch (Focus(focus)) {
    case Focus::Window:
        break;
    case Focus::RadioButton:
        target = keyboard->itemButton(0);
        QTest::mouseClick(target, Qt::LeftButton); // already chosen: nothing runs
        break;
    case Focus::PushButton:
        target = f.control("Button2");
        target->setFocus();
        break;
    case Focus::Editor:
        QTest::mouseClick(f.control<ui::RadioGroup>("RadioGroup2")->itemButton(2), Qt::LeftButton);
        target = editor;
        QTest::mouseClick(editor->viewport(), Qt::LeftButton);
        break;
    }
    QCOMPARE(QApplication::focusWidget(), target);
    const int keyCount = f.state().KeyCount;
    const int releases = f.random.reseeds;

    f.type(Qt::Key(key));

    QCOMPARE(f.state().KeyCount, keyCount + 1);
    QCOMPARE(f.random.reseeds, releases + 1);
    // ...and the focused control handled the key as usual.
    switch (Focus(focus)) {
    case Focus::Window:
        QCOMPARE(f.caption("statictext50"), "F");
        break;
    case Focus::RadioButton:
        QCOMPARE(keyboard->itemIndex(), 1);
        QVERIFY(f.control("Panel1")->isHidden());
        break;
    case Focus::PushButton:
        QCOMPARE(f.state().Region, 3);
        QCOMPARE(f.caption("statictext47"), "E");
        break;
    case Focus::Editor:
        QCOMPARE(editor->toPlainText(), QStringLiteral("r"));
        break;
    }
}

void TestKeyPreview::modifiersGiveTheCapitalLetter_data() {
    QTest::addColumn<int>("modifier");
    QTest::addColumn<int>("modifierKeys"); // QTest presses each modifier too
    QTest::newRow("none") << int(Qt::NoModifier) << 0;
    QTest::newRow("Shift") << int(Qt::ShiftModifier) << 1;
    QTest::newRow("Ctrl") << int(Qt::ControlModifier) << 1;
    QTest::newRow("Alt") << int(Qt::AltModifier) << 1;
    QTest::newRow("Ctrl+Alt") << int(Qt::ControlModifier | Qt::AltModifier) << 2;
}

void TestKeyPreview::modifiersGiveTheCapitalLetter() {
    QFETCH(int, modifier);
    QFETCH(int, modifierKeys);
    FormFixture f;
    QVERIFY(f.start());
    f.type(Qt::Key_G, Qt::KeyboardModifiers(modifier));
    QCOMPARE(f.caption("statictext50"), "G");
    QCOMPARE(f.state().KeyCount, 1 + modifierKeys);
    QCOMPARE(f.random.reseeds, 1 + modifierKeys);
    QVERIFY(f.form->isVisible());
}

void TestKeyPreview::autoRepeatCountsKeyDownsAndJudgesOnce() {
    FormFixture f;
    QVERIFY(f.start());
    constexpr int kRepeats = 9;
    QTest::simulateEvent(f.window(), true, Qt::Key_R, Qt::NoModifier, QStringLiteral("r"), false);
    for (int i = 0; i < kRepeats; ++i) {
        QTest::simulateEvent(f.window(), false, Qt::Key_R, Qt::NoModifier, QStringLiteral("r"),
                             true);
        QTest::simulateEvent(f.window(), true, Qt::Key_R, Qt::NoModifier, QStringLiteral("r"),
                             true);
    }
    QCOMPARE(f.state().KeyCount, kRepeats + 1);
    QCOMPARE(f.random.reseeds, 0);
    QTest::simulateEvent(f.window(), false, Qt::Key_R, Qt::NoModifier, QStringLiteral("r"), false);
    QCOMPARE(f.random.reseeds, 1);
    QCOMPARE(f.sound.played, std::vector<std::string>{"ok.wav"});
    QCOMPARE(f.state().HitCount, 1);
    QCOMPARE(f.caption("Label6"), "10");
}

void TestKeyPreview::marksLastUntilTheNextRelease() {
    FormFixture f;
    QVERIFY(f.start());
    auto* fCell = f.control<ui::TextControl>("statictext28");
    auto* jCell = f.control<ui::TextControl>("statictext31");
    const QColor teal = fCell->palette().color(QPalette::Window);
    f.press(Qt::Key_F);
    f.press(Qt::Key_J);
    QVERIFY(fCell->marked());
    QVERIFY(jCell->marked());
    // The mark shows the cell inverted: its letter in the finger colour on
    // the text colour.
    QCOMPARE(fCell->palette().color(QPalette::WindowText), teal);
    QCOMPARE(fCell->palette().color(QPalette::Window), QColor(Qt::black));
    f.release(Qt::Key_F);
    QVERIFY(!fCell->marked());
    QVERIFY(!jCell->marked());
    QCOMPARE(fCell->palette().color(QPalette::Window), teal);
    QCOMPARE(fCell->palette().color(QPalette::WindowText), QColor(Qt::black));
    f.release(Qt::Key_J);
    QCOMPARE(f.sound.played, (std::vector<std::string>{"mis.wav", "mis.wav"}));
}

void TestKeyPreview::keysTypedDuringASoundFollowInOrder() {
    FormFixture f;
    QVERIFY(f.start());
    std::vector<std::string> seenAtEachSound;
    f.sound.whilePlaying = [&] {
        seenAtEachSound.push_back(f.caption("statictext50") + "/" +
                                  std::to_string(f.state().HitCount));
        if (f.sound.played.size() == 1) {
            // Typed while the hit sound plays: queued, not handled yet.
            for (Qt::Key key : {Qt::Key_F, Qt::Key_J}) {
                QCoreApplication::postEvent(f.window(),
                                            new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
                QCoreApplication::postEvent(f.window(),
                                            new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
            }
        }
    };
    f.type(Qt::Key_R);
    QTRY_COMPARE(f.sound.played.size(), std::size_t{3});
    QCOMPARE(f.sound.played, (std::vector<std::string>{"ok.wav", "mis.wav", "mis.wav"}));
    // The hit counts only after its sound, and F and J waited for it (had
    // they been handled inside it, F's sound would still see 0 hits); F
    // is judged before J.
    QCOMPARE(seenAtEachSound, (std::vector<std::string>{"R/0", "F/1", "J/1"}));
    QCOMPARE(f.state().KeyCount, 3);
}

QTEST_MAIN(TestKeyPreview)
#include "tst_KeyPreview.moc"
