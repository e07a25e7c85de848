// The stored window as built and right after start-up: every control where
// the stored form puts it, the visual settings that matter, the stacking,
// colours that follow, focus and tab order, and the first activation.
#include "FormFixture.h"
#include "drill/Colour.h"
#include "drill/KeyCells.h"
#include "ui/Colours.h"
#include "ui/RadioGroup.h"
#include "ui/StoredForm.h"
#include "ui/SvgImage.h"
#include "ui/TextControl.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

using testing_ui::FormFixture;

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor background(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

int stackIndex(const QWidget* widget) {
    return static_cast<int>(
        widget->parentWidget()->children().indexOf(const_cast<QWidget*>(widget)));
}

} // namespace

class TestForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testing_ui::prepareTestApplication(); }

    void everyStoredControlIsBuiltInPlace();
    void controlSettings_data();
    void controlSettings();
    void stackingFollowsCreationOrderAboveSurfaces();
    void uncolouredControlsFollowTheWindowColour();
    void stateRightAfterStartUp();
    void activationRunsOnlyOnce();
    void tabReachesOnlyTheSelectorsAndTheShownEditor();
    void enterAndEscapeNeverPressTheCloseButton();
    void captionsAreAccessibleNames();
    void smallWindowScrollsAndKeepsPlaces();
};

void TestForm::everyStoredControlIsBuiltInPlace() {
    FormFixture f;
    QVERIFY(f.start());
    for (const ui::StoredControl& row : ui::storedForm()) {
        const QWidget* widget = f.control(row.name);
        QVERIFY2(widget != nullptr, row.name.data());
        QCOMPARE(widget->objectName(), qs(row.name));
        QCOMPARE(widget->parentWidget(), f.control(row.container));
        QCOMPARE(widget->pos(), QPoint(row.left, row.top));
        if (row.sizing == ui::Sizing::Fixed) {
            QCOMPARE(widget->size(), QSize(row.width, row.height));
        }
        QCOMPARE(widget->isHidden(), !row.visible);
        QCOMPARE(widget->toolTip(), qs(row.hint));
        QCOMPARE(widget->cursor().shape(),
                 row.handCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    for (const drill::KeyCell& cell : drill::keyCells()) {
        const auto* widget = f.control<ui::TextControl>(cell.name);
        QVERIFY2(widget != nullptr, cell.name.data());
        QCOMPARE(widget->parentWidget(), f.control("Panel1"));
        QCOMPARE(widget->geometry(), QRect(cell.left, cell.top, cell.width, cell.height));
        QCOMPARE(widget->text(), qs(cell.caption));
        QCOMPARE(background(widget), ui::toQColor(cell.colour));
        QCOMPARE(widget->isHidden(), !cell.shownAtStart);
        if (cell.charHeight != 0) {
            QCOMPARE(widget->font().pixelSize(), cell.charHeight);
        }
    }
}

void TestForm::controlSettings_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour"); // invalid: not checked
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<int>("focusPolicy");
    QTest::addColumn<int>("alignment"); // 0: not checked

    const QColor none;
    const int noFocus = Qt::NoFocus;
    const int hCentre = Qt::AlignHCenter;
    const int right = Qt::AlignRight;
    const QColor btnFace = ui::toQColor(drill::clBtnFace);
    QTest::newRow("task cell") << "statictext47" << QColor(Qt::yellow) << 96 << noFocus << hCentre;
    QTest::newRow("pressed-key cell")
        << "statictext50" << QColor(Qt::magenta) << 96 << noFocus << hCentre;
    QTest::newRow("region hint line") << "StaticText51" << none << 19 << noFocus << hCentre;
    QTest::newRow("caption line in window font") << "statictext48" << none << 16 << noFocus << 0;
    QTest::newRow("region bar") << "Panel6" << QColor(128, 0, 0) << 16 << noFocus << 0;
    QTest::newRow("index button has its own font")
        << "Button6" << none << 19 << int(Qt::ClickFocus) << 0;
    QTest::newRow("little-finger button") << "Button4" << none << 16 << int(Qt::ClickFocus) << 0;
    QTest::newRow("statistics panel") << "Panel9" << btnFace << 16 << noFocus << 0;
    QTest::newRow("time-trial panel") << "Panel10" << QColor(0, 128, 0) << 16 << noFocus << 0;
    QTest::newRow("minutes box") << "Panel11" << QColor(128, 128, 0) << 16 << noFocus << 0;
    QTest::newRow("hits label in small font") << "Label2" << none << 13 << noFocus << 0;
    QTest::newRow("keystroke value") << "Label4" << QColor(Qt::yellow) << 16 << noFocus << right;
    QTest::newRow("remaining seconds")
        << "Label18" << QColor(0, 128, 128) << 16 << noFocus << right;
    QTest::newRow("minutes selector") << "Label15" << QColor(Qt::green) << 16 << noFocus << right;
    QTest::newRow("standard reset")
        << "StaticText59" << QColor(Qt::green) << 19 << noFocus << hCentre;
    QTest::newRow("time-trial reset") << "Label17" << QColor(Qt::green) << 19 << noFocus << 0;
    QTest::newRow("keyboard selector") << "RadioGroup1" << QColor(Qt::green) << 16 << noFocus << 0;
    QTest::newRow("mode selector") << "RadioGroup2" << QColor(Qt::yellow) << 16 << noFocus << 0;
    QTest::newRow("close button") << "BitBtn1" << none << 16 << int(Qt::ClickFocus) << 0;
    QTest::newRow("editor") << "RichEdit1" << none << 16 << int(Qt::StrongFocus) << 0;
    QTest::newRow("word-processor notice")
        << "StaticText63" << QColor(Qt::green) << 16 << noFocus << 0;
}

void TestForm::controlSettings() {
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    QFETCH(int, fontPixels);
    QFETCH(int, focusPolicy);
    QFETCH(int, alignment);
    FormFixture f;
    QVERIFY(f.start());
    const QWidget* widget = f.control(name.toStdString());
    QVERIFY(widget != nullptr);
    if (colour.isValid()) {
        QCOMPARE(background(widget), colour);
        QVERIFY(widget->autoFillBackground());
    }
    QCOMPARE(widget->font().pixelSize(), fontPixels);
    QCOMPARE(widget->font().family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
    QCOMPARE(int(widget->focusPolicy()), focusPolicy);
    if (alignment != 0) {
        QCOMPARE(int(qobject_cast<const QLabel*>(widget)->alignment() & Qt::AlignHorizontal_Mask),
                 alignment);
    }
}

void TestForm::stackingFollowsCreationOrderAboveSurfaces() {
    FormFixture f;
    QVERIFY(f.start());
    // Panel1: drawing, then motto, then every key cell.
    QVERIFY(stackIndex(f.control("Image1")) < stackIndex(f.control("Label20")));
    for (const drill::KeyCell& cell : drill::keyCells()) {
        QVERIFY(stackIndex(f.control("Label20")) < stackIndex(f.control(cell.name)));
    }
    QVERIFY(stackIndex(f.control("StaticText53")) < stackIndex(f.control("StaticText52")));
    // Panel6: both frame halves beneath the index button, Panel8 over Panel7.
    QVERIFY(stackIndex(f.control("Panel7")) < stackIndex(f.control("Panel8")));
    QVERIFY(stackIndex(f.control("Panel8")) < stackIndex(f.control("Button6")));
    // Panel12: the green square over the corner of the remaining seconds.
    QVERIFY(stackIndex(f.control("Label18")) < stackIndex(f.control("StaticText60")));
    // The window: the mascot (an image) under everything; the editor over
    // the drill; the button panel over both value panels.
    QVERIFY(stackIndex(f.control("Image2")) < stackIndex(f.control("statictext47")));
    QVERIFY(stackIndex(f.control("Panel1")) < stackIndex(f.control("RichEdit1")));
    QVERIFY(stackIndex(f.control("Panel10")) < stackIndex(f.control("Panel13")));
    QVERIFY(stackIndex(f.control("Panel9")) < stackIndex(f.control("Panel10")));
}

void TestForm::uncolouredControlsFollowTheWindowColour() {
    FormFixture f;
    QVERIFY(f.start());
    const QColor teal(0, 128, 128);
    QCOMPARE(background(f.control("statictext48")), teal);
    f.form->setColour("Form1", drill::clYellow);
    for (const char* follower : {"statictext48", "statictext49", "StaticText51"}) {
        QCOMPARE(background(f.control(follower)), QColor(Qt::yellow));
    }
    // Panels and the value cells keep their own colours.
    QCOMPARE(background(f.control("Panel9")), ui::toQColor(drill::clBtnFace));
    QCOMPARE(background(f.control("statictext50")), QColor(Qt::magenta));
    QCOMPARE(background(f.control("RadioGroup1")), QColor(Qt::green));
    // And the labels of a panel follow that panel, not the window.
    f.form->setColour("Panel12", drill::clRed);
    QCOMPARE(background(f.control("Label7")), QColor(Qt::red));
    QCOMPARE(background(f.control("Label18")), teal);
    f.form->setColour("Form1", drill::clTeal);
    QCOMPARE(background(f.control("statictext49")), teal);
}

void TestForm::stateRightAfterStartUp() {
    FormFixture f;
    QVERIFY(f.start());
    QCOMPARE(f.form->windowTitle(), QStringLiteral("Tonpara"));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Tonpara"));
    QCOMPARE(f.state().Mode, drill::ModeState::Standard);
    QCOMPARE(f.state().Region, 4);
    QCOMPARE(f.caption("statictext47"), "R");
    QCOMPARE(f.caption("statictext50"), "");
    QCOMPARE(f.caption("StaticText51"), "R.F.V.T.G.B.Y.H.N.U.J.Mをランダムに課題キーとします。");
    QCOMPARE(background(f.control("Panel7")), QColor(0, 128, 128));
    QCOMPARE(background(f.control("Panel8")), QColor(Qt::magenta));
    for (const char* other : {"Panel2", "Panel3", "Panel4", "Panel5"}) {
        QCOMPARE(background(f.control(other)), ui::toQColor(drill::clBtnFace));
    }
    for (const char* zero : {"Label4", "StaticText57", "Label6", "StaticText55", "StaticText56"}) {
        QCOMPARE(f.caption(zero), "0");
    }
    QCOMPARE(f.caption("Label18"), "");
    QVERIFY(!f.form->timer("MMTimer1").Enabled());
    QVERIFY(!f.form->timer("MMTimer2").Enabled());
    QCOMPARE(f.timers.runningCount(), std::size_t{0});
    // The window itself holds the focus; no control does.
    QCOMPARE(QApplication::focusWidget(), f.form.get());
    QCOMPARE(f.control<ui::RadioGroup>("RadioGroup1")->itemIndex(), 0);
    QCOMPARE(f.control<ui::RadioGroup>("RadioGroup2")->itemIndex(), 0);
    // The stored place and size are the frame's, decorations included.
    QTRY_COMPARE(f.form->frameGeometry(), QRect(-4, -4, 808, 580));
    QVERIFY(f.control<ui::SvgImage>("Image1")->hasPicture());
    QVERIFY(!f.control<QPushButton>("BitBtn1")->icon().isNull());
    QVERIFY(!f.form->windowIcon().isNull());
}

void TestForm::activationRunsOnlyOnce() {
    FormFixture f;
    QVERIFY(f.start());
    f.click("Button4");
    f.type(Qt::Key_Q);
    QCOMPARE(f.state().Region, 1);
    QCOMPARE(f.state().HitCount, 1);
    // Another window in front and back again: the drill state stays.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QCOMPARE(f.state().Region, 1);
    QCOMPARE(f.state().HitCount, 1);
    QCOMPARE(f.state().KeyCount, 1);
}

void TestForm::tabReachesOnlyTheSelectorsAndTheShownEditor() {
    FormFixture f;
    QVERIFY(f.start());
    auto* keyboard = f.control<ui::RadioGroup>("RadioGroup1");
    auto* mode = f.control<ui::RadioGroup>("RadioGroup2");
    QCOMPARE(QApplication::focusWidget(), f.form.get());
    f.type(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), keyboard->itemButton(0));
    f.type(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), mode->itemButton(0));
    f.type(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), keyboard->itemButton(0));

    // After a new choice, Tab lands on the chosen item, not the first.
    QTest::mouseClick(keyboard->itemButton(1), Qt::LeftButton);
    QVERIFY(f.control("Panel1")->isHidden());
    f.type(Qt::Key_Tab);
    f.type(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), keyboard->itemButton(1));

    // Word-processor mode: the editor comes first.
    QTest::mouseClick(mode->itemButton(2), Qt::LeftButton);
    QVERIFY(!f.control("RichEdit1")->isHidden());
    QCOMPARE(QApplication::focusWidget(), mode->itemButton(2));
    f.type(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.control("RichEdit1"));
    f.type(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), mode->itemButton(2));
}

void TestForm::enterAndEscapeNeverPressTheCloseButton() {
    FormFixture f;
    QVERIFY(f.start());
    auto* close = f.control<QPushButton>("BitBtn1");
    QVERIFY(!close->isDefault());
    QVERIFY(!close->autoDefault());
    QSignalSpy clicks(close, &QPushButton::clicked);
    f.click("Button2"); // a push button with the focus
    for (QWidget* focus : {static_cast<QWidget*>(f.form.get()), f.control("Button2")}) {
        focus->setFocus();
        f.type(Qt::Key_Return);
        f.type(Qt::Key_Enter);
        f.type(Qt::Key_Escape);
    }
    QCOMPARE(clicks.count(), 0);
    QVERIFY(f.form->isVisible());
}

void TestForm::captionsAreAccessibleNames() {
    // A screen reader reads the accessible name; setting it is also what
    // sends the name-changed event, so the next task key gets spoken.
    FormFixture f;
    QVERIFY(f.start());
    QCOMPARE(f.control("statictext47")->accessibleName(), QStringLiteral("R"));
    QCOMPARE(f.control("Button6")->accessibleName(), QString::fromUtf8("人差指"));
    QCOMPARE(f.control("RadioGroup2")->accessibleName(), QString::fromUtf8("モード"));
    f.click("Button2");
    f.type(Qt::Key_F);
    QCOMPARE(f.control("statictext47")->accessibleName(), QStringLiteral("E"));
    QCOMPARE(f.control("statictext50")->accessibleName(), QStringLiteral("F"));
}

void TestForm::smallWindowScrollsAndKeepsPlaces() {
    FormFixture f;
    QVERIFY(f.start());
    auto* scroll = f.form->findChild<QScrollArea*>();
    QVERIFY(scroll != nullptr);
    f.form->resize(400, 300);
    QTRY_VERIFY(scroll->horizontalScrollBar()->isVisible());
    QVERIFY(scroll->verticalScrollBar()->isVisible());
    QCOMPARE(f.control("BitBtn1")->pos(), QPoint(594, 485));
    f.form->resize(900, 700);
    QTRY_VERIFY(!scroll->horizontalScrollBar()->isVisible());
    QCOMPARE(f.control("BitBtn1")->pos(), QPoint(594, 485));
}

QTEST_MAIN(TestForm)
#include "tst_Form.moc"
