// The editor's input-method switch against a private D-Bus session bus (the
// test runs under dbus-run-session). A fake fcitx5 controller on a second
// connection of this process records what reaches it through the bus.
#include "ui/wordprocessor/InputMethodSwitch.h"
#include "ui/wordprocessor/RichEdit.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {

class FakeFcitxController : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.fcitx.Fcitx.Controller1")
public:
    int activations = 0;
    int deactivations = 0;

public Q_SLOTS:
    void Activate() { ++activations; }
    void Deactivate() { ++deactivations; }
};

const QString kService = QStringLiteral("org.fcitx.Fcitx5");

// Every Qt message printed while it lives.
struct MessageTrap {
    MessageTrap() { previous_ = qInstallMessageHandler(&MessageTrap::handler); }
    ~MessageTrap() { qInstallMessageHandler(previous_); }
    static inline QStringList messages;

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& text) {
        messages << text;
    }
    QtMessageHandler previous_;
};

struct Window {
    Window() : editor(new TRichEdit(&window)), other(new QLineEdit(&window)) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        layout->addWidget(other);
    }
    bool showActive() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    QWidget window;
    TRichEdit* editor;
    QLineEdit* other;
};

// Longer than the editor's delay before it sends, with room for a busy machine.
constexpr int kSettleMs = 400;

} // namespace

class InputMethodTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        if (!QDBusConnection::sessionBus().isConnected()) {
            QSKIP("no session bus; run under dbus-run-session");
        }
        fakeBus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                 QStringLiteral("fake-fcitx"));
        QVERIFY(fakeBus_.isConnected());
        QVERIFY(fakeBus_.registerObject(QStringLiteral("/controller"), &fake_,
                                        QDBusConnection::ExportAllSlots));
    }

    void init() {
        fake_.activations = 0;
        fake_.deactivations = 0;
        QVERIFY(fakeBus_.registerService(kService));
    }
    void cleanup() { fakeBus_.unregisterService(kService); }

    void everyFocusInSwitchesFcitxOn() {
        Window w;
        QVERIFY(w.showActive());
        w.editor->setFocus();
        QTRY_COMPARE(fake_.activations, 1);

        // Losing the focus switches nothing off; the next focus-in asks again.
        w.other->setFocus();
        QTest::qWait(kSettleMs);
        w.editor->setFocus();
        QTRY_COMPARE(fake_.activations, 2);
        w.editor->hide();
        QTest::qWait(kSettleMs);
        QCOMPARE(fake_.activations, 2);
        QCOMPARE(fake_.deactivations, 0);
        QVERIFY(w.editor->testAttribute(Qt::WA_InputMethodEnabled));
    }

    // The call acts on whatever input context fcitx saw focused last, so it
    // must not go out once the focus has moved on.
    void focusGoneBeforeTheCallSendsNothing() {
        Window w;
        QVERIFY(w.showActive());
        w.editor->setFocus();
        w.other->setFocus();
        QTest::qWait(kSettleMs);
        QCOMPARE(fake_.activations, 0);
    }

    void withoutFcitxNothingHappensAndNothingIsPrinted() {
        fakeBus_.unregisterService(kService);
        QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(kService));
        MessageTrap trap;
        MessageTrap::messages.clear();
        Window w;
        QVERIFY(w.showActive());
        w.editor->setFocus();
        QTest::qWait(kSettleMs);
        wordprocessor::activateInputMethod();
        QTest::qWait(kSettleMs);
        QCOMPARE(fake_.activations, 0);
        MessageTrap::messages.removeAll(
            QStringLiteral("This plugin does not support propagateSizeHints()"));
        QCOMPARE(MessageTrap::messages, QStringList());
    }

    // The test bus knows how to start "fcitx5" (a command that leaves a mark
    // file); switching input on must never launch an input method.
    void neverStartsAFrameworkThatIsNotRunning() {
        fakeBus_.unregisterService(kService);
        QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(kService));
        const QString mark = QStringLiteral(TONPARA_START_MARK);
        QFile::remove(mark);
        wordprocessor::activateInputMethod();
        QTest::qWait(kSettleMs);
        QVERIFY(!QFile::exists(mark));

        // The same call with starting allowed does leave the mark, so the
        // check above can see a start.
        QDBusMessage call = QDBusMessage::createMethodCall(
            kService, QStringLiteral("/controller"), QStringLiteral("org.fcitx.Fcitx.Controller1"),
            QStringLiteral("Activate"));
        QDBusConnection::sessionBus().send(call);
        QTRY_VERIFY(QFile::exists(mark));
        QFile::remove(mark);
    }

    // In a process with no session bus at all the probe focuses an editor and
    // calls the switch directly; it must exit cleanly and print nothing.
    void withoutAnyBusNothingIsPrinted() {
        QTemporaryDir runtime;
        const struct {
            const char* name;
            QString address; // empty: unset
        } rows[] = {
            {"address unset", QString()},
            {"address of a missing socket",
             QStringLiteral("unix:path=") + runtime.filePath(QStringLiteral("none"))},
        };
        for (const auto& row : rows) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
            env.remove(QStringLiteral("DISPLAY")); // no X11 autolaunch of a bus
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            if (!row.address.isEmpty()) {
                env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), row.address);
            }
            QProcess probe;
            probe.setProcessEnvironment(env);
            probe.start(QStringLiteral(TONPARA_FOCUS_PROBE), QStringList());
            QVERIFY2(probe.waitForFinished(30'000), row.name);
            QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
            QCOMPARE(probe.exitCode(), 0);
            QCOMPARE(
                QString::fromUtf8(probe.readAllStandardOutput() + probe.readAllStandardError()),
                QString());
        }
    }

private:
    QDBusConnection fakeBus_{QString()};
    FakeFcitxController fake_;
};

QTEST_MAIN(InputMethodTest)
#include "tst_inputmethod.moc"
