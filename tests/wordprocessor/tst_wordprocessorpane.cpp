// The editor, Load and Blank on Qt's offscreen platform: real files in a
// temporary folder, the real QFileDialog for one test, and the editor's own
// rendering for the hidden selection.
#include "ui/wordprocessor/FileLoading.h"
#include "ui/wordprocessor/RichEdit.h"
#include "ui/wordprocessor/WordProcessorPane.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <fcntl.h>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A window holding the editor and one more tab stop, as the main window does.
struct Pane {
    Pane() : editor(new TRichEdit(&window)), other(new QLineEdit(&window)), pane(*editor, window) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        layout->addWidget(other);
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(16);
        editor->setFont(font);
        window.resize(547, 420);
    }
    bool showActive() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    // Load with the dialog step replaced by a fixed answer.
    void loadWith(const std::optional<QString>& answer) {
        pane.setFileChooser([answer](QWidget&, const QString&) { return answer; });
        pane.Button7Click();
    }
    QString loadError(const QString& fileName);

    QWidget window;
    TRichEdit* editor;
    QLineEdit* other;
    WordProcessorPane pane;
};

// The message of the error `act` throws, or empty if it throws none.
QString errorOf(const std::function<void()>& act) {
    try {
        act();
    } catch (const std::runtime_error& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

QString Pane::loadError(const QString& fileName) {
    return errorOf([&] { loadWith(fileName); });
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the test file");
    }
    return path;
}

QTextCharFormat formatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1); // the format of the character before the cursor
    return cursor.charFormat();
}

const QString kKeptText = QStringLiteral("keep me");
const QString kStreamReadFailed = QStringLiteral("ｽﾄﾘｰﾑからの読み込みに失敗しました");

QString cannotOpen(const QString& fileName) {
    return QStringLiteral("ﾌｧｲﾙ %1 は開けません").arg(fileName);
}

// Runs `act` on the file dialog once it is the active modal widget. Gives up
// after a while, closing whatever is modal, so a broken test cannot hang.
void whenDialogOpens(std::function<void(QFileDialog&)> act) {
    auto* timer = new QTimer;
    auto* waited = new int(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            delete waited;
            act(*dialog);
        } else if (++*waited > 500) {
            timer->stop();
            timer->deleteLater();
            delete waited;
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        }
    });
    timer->start(20);
}

void typeIntoDialog(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit != nullptr);
    // The dialog selects the preselected name in its list once the folder
    // has been listed, and a typed name replaces that selection only while
    // the name field has the focus, as it has for a learner typing.
    auto* model = dialog.findChild<QFileSystemModel*>();
    QVERIFY(model != nullptr);
    QTRY_VERIFY(model->rowCount(model->index(dialog.directory().absolutePath())) > 0);
    dialog.activateWindow();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class WordProcessorPaneTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editorSettings() {
        Pane p;
        QVERIFY(p.showActive());
        TRichEdit& e = *p.editor;
        QCOMPARE(e.frameShape(), QFrame::StyledPanel);
        QCOMPARE(e.frameShadow(), QFrame::Sunken);
        QCOMPARE(e.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(e.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(e.lineWrapMode(), QTextEdit::WidgetWidth);
        QCOMPARE(e.focusPolicy(), Qt::StrongFocus);
        QVERIFY(e.acceptRichText());
        QVERIFY(!e.isReadOnly());
        QVERIFY(e.toPlainText().isEmpty());

        // Enter starts a new line; Tab moves the focus and types nothing.
        e.setFocus();
        QTRY_VERIFY(e.hasFocus());
        QTest::keyClicks(&e, QStringLiteral("ab"));
        QTest::keyClick(&e, Qt::Key_Return);
        QTest::keyClicks(&e, QStringLiteral("c"));
        QTest::keyClick(&e, Qt::Key_Tab);
        QCOMPARE(e.toPlainText(), QStringLiteral("ab\nc"));
        QVERIFY(p.other->hasFocus());

        // A word longer than the line wraps instead of running past the edge.
        e.setPlainText(QString(400, QLatin1Char('x')));
        QVERIFY(e.document()->documentLayout()->documentSize().width() <=
                e.viewport()->width() + 1);
        QVERIFY(e.document()->firstBlock().layout()->lineCount() > 1);

        // The text survives hiding and showing.
        e.hide();
        e.show();
        QCOMPARE(e.toPlainText(), QString(400, QLatin1Char('x')));
    }

    void selectionHiddenWhileUnfocused() {
        Pane p;
        QVERIFY(p.showActive());
        TRichEdit& e = *p.editor;
        e.setHtml(QStringLiteral("plain <b>bold</b> <span style='color:#ff0000'>red</span>"));
        p.other->setFocus();
        QTRY_VERIFY(p.other->hasFocus());
        const QImage unselected = e.viewport()->grab().toImage();

        e.setFocus();
        QTRY_VERIFY(e.hasFocus());
        e.selectAll();
        QVERIFY(e.viewport()->grab().toImage() != unselected); // shown while focused

        p.other->setFocus();
        QTRY_VERIFY(!e.hasFocus());
        QCOMPARE(e.viewport()->grab().toImage(), unselected);

        e.setFocus(); // back, with the same selection
        QTRY_VERIFY(e.hasFocus());
        QCOMPARE(e.textCursor().selectedText(), QStringLiteral("plain bold red"));

        // A selection made in a document that has since been replaced is dropped.
        p.other->setFocus();
        QTRY_VERIFY(!e.hasFocus());
        p.pane.Button10Click();
        e.setFocus();
        QTRY_VERIFY(e.hasFocus());
        QVERIFY(!e.textCursor().hasSelection());
    }

    void loadsText_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("shift-jis CR LF")
            << "a.txt" << QByteArray("\x82\xA0\x82\xA2\r\n\x95\x5C\r\n") << "あい\n表\n";
        QTest::newRow("shift-jis lone LF")
            << "b.txt" << QByteArray("\x82\xA0\x82\xA2\n\x95\x5C\n") << "あい\n表\n";
        QTest::newRow("shift-jis lone CR")
            << "c.txt" << QByteArray("\x82\xA0\x82\xA2\r\x95\x5C\r") << "あい\n表\n";
        QTest::newRow("utf-8 with BOM") << "d.txt"
                                        << QByteArray("\xEF\xBB\xBF"
                                                      "あい\r\n表")
                                        << "あい\n表";
        QTest::newRow("plain text of any name")
            << "notes.dat" << QByteArray("{not rtf}\\par") << "{not rtf}\\par";
        QTest::newRow("rich text named .txt")
            << "rich.txt" << QByteArray("{\\rtf1 {\\b bold}\\par x\\par}") << "bold\nx";
        QTest::newRow("empty file") << "empty.txt" << QByteArray() << "";
    }
    void loadsText() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        Pane p;
        p.editor->setPlainText(kKeptText);
        p.loadWith(writeFile(dir, fileName, bytes));
        QCOMPARE(p.editor->toPlainText(), shown);
        QVERIFY(!p.editor->document()->isUndoAvailable());
        QCOMPARE(p.editor->textCursor().position(), 0);
        // Plain text is shown in the editor's font.
        if (!bytes.startsWith("{\\rtf") && !shown.isEmpty()) {
            QCOMPARE(formatAt(*p.editor->document(), 0).font().pixelSize(), 16);
            QCOMPARE(formatAt(*p.editor->document(), 0).font().family(), p.editor->font().family());
        }
    }

    void richTextKeepsItsFormatting() {
        const QByteArray rtf =
            "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 "
            "\\'82\\'6c\\'82\\'72 "
            "\\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}{\\f1\\fswiss Arial;}}"
            "{\\colortbl;\\red255\\green0\\blue0;}"
            "\\pard\\qc{\\b B}{\\i I}{\\ul U}{\\strike S}{\\cf1 R}{\\fs48 L}{\\f1 A}{\\highlight1 "
            "H}\\par"
            "\\pard\\qr \\'82\\'a0\\line x\\tab y\\par"
            "\\pard\\qj\\li300\\fi-150 z}";
        QTemporaryDir dir;
        Pane p;
        p.loadWith(writeFile(dir, QStringLiteral("styled.txt"), rtf));
        const QTextDocument& d = *p.editor->document();
        QCOMPARE(d.blockCount(), 3);
        QCOMPARE(d.findBlockByNumber(0).text(), QStringLiteral("BIUSRLAH"));
        QCOMPARE(d.findBlockByNumber(1).text(), QStringLiteral("あ\u2028x\ty"));
        QCOMPARE(d.findBlockByNumber(2).text(), QStringLiteral("z"));

        const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
        const struct {
            int position;
            const char* what;
            std::function<bool(const QTextCharFormat&)> check;
        } rows[] = {
            {0, "bold", [](const QTextCharFormat& f) { return f.fontWeight() == QFont::Bold; }},
            {0, "face from the font table",
             [&](const QTextCharFormat& f) {
                 return f.fontFamilies().toStringList() == QStringList{gothic};
             }},
            {0, "12 pt is 16 px",
             [](const QTextCharFormat& f) { return f.font().pixelSize() == 16; }},
            {1, "italic",
             [](const QTextCharFormat& f) {
                 return f.fontItalic() && f.fontWeight() != QFont::Bold;
             }},
            {2, "underline", [](const QTextCharFormat& f) { return f.fontUnderline(); }},
            {3, "strike-through", [](const QTextCharFormat& f) { return f.fontStrikeOut(); }},
            {4, "red",
             [](const QTextCharFormat& f) { return f.foreground().color() == QColor(255, 0, 0); }},
            {5, "24 pt is 32 px",
             [](const QTextCharFormat& f) { return f.font().pixelSize() == 32; }},
            {6, "Arial",
             [](const QTextCharFormat& f) {
                 return f.fontFamilies().toStringList() == QStringList{QStringLiteral("Arial")};
             }},
            {7, "highlight",
             [](const QTextCharFormat& f) { return f.background().color() == QColor(255, 0, 0); }},
            {1, "no colour of its own",
             [](const QTextCharFormat& f) { return !f.hasProperty(QTextFormat::ForegroundBrush); }},
        };
        for (const auto& row : rows) {
            QVERIFY2(row.check(formatAt(d, row.position)), row.what);
        }
        QCOMPARE(d.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(d.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        const QTextBlockFormat last = d.findBlockByNumber(2).blockFormat();
        QCOMPARE(last.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
        QCOMPARE(last.leftMargin(), 20.0);
        QCOMPARE(last.textIndent(), -10.0);
    }

    void loadErrorsLeaveTheEditorAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing file") << "missing";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("no permission") << "permission";
        QTest::newRow("larger than 64 MiB") << "huge";
        QTest::newRow("read error midway") << "eio";
    }
    void loadErrorsLeaveTheEditorAlone() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString fileName;
        QString expected;
        if (kind == QLatin1String("missing")) {
            fileName = dir.filePath(QStringLiteral("does not exist.txt"));
            expected = cannotOpen(fileName);
        } else if (kind == QLatin1String("folder")) {
            fileName = dir.path();
            expected = cannotOpen(fileName);
        } else if (kind == QLatin1String("permission")) {
            if (geteuid() == 0) {
                QSKIP("root reads any file");
            }
            fileName = writeFile(dir, QStringLiteral("locked.txt"), "secret");
            QVERIFY(::chmod(QFile::encodeName(fileName).constData(), 0) == 0);
            expected = cannotOpen(fileName);
        } else if (kind == QLatin1String("huge")) {
            fileName = writeFile(dir, QStringLiteral("huge.txt"), "");
            QVERIFY(::truncate(QFile::encodeName(fileName).constData(),
                               static_cast<off_t>(wordprocessor::kMaxFileBytes + 1)) == 0);
            expected = kStreamReadFailed;
        } else {
            fileName = QStringLiteral("/proc/self/mem"); // opens, then fails to read with EIO
            expected = kStreamReadFailed;
        }
        Pane p;
        p.editor->setHtml(QStringLiteral("<b>") + kKeptText + QStringLiteral("</b>"));
        QPointer<QTextDocument> document = p.editor->document();
        QCOMPARE(p.loadError(fileName), expected);
        QCOMPARE(p.editor->toPlainText(), kKeptText);
        QCOMPARE(p.editor->document(), document.data());
        QVERIFY(formatAt(*p.editor->document(), 0).fontWeight() == QFont::Bold);
        QCOMPARE(p.pane.lastFileName(), fileName); // the dialog keeps the name even so
    }

    void readingStopsAtTheLimit() {
        QTemporaryDir dir;
        const QString ten = writeFile(dir, QStringLiteral("ten.txt"), "0123456789");
        QCOMPARE(wordprocessor::readFileBytes(ten, 10), std::string("0123456789"));
        QVERIFY_THROWS_EXCEPTION(wordprocessor::FileReadError,
                                 wordprocessor::readFileBytes(ten, 9));
        // A device reports no size; only the cap stops it.
        QVERIFY_THROWS_EXCEPTION(
            wordprocessor::FileReadError,
            wordprocessor::readFileBytes(QStringLiteral("/dev/zero"), 1 << 20));
    }

    void cancelChangesNothing() {
        Pane p;
        p.editor->setPlainText(kKeptText);
        p.loadWith(std::nullopt);
        QCOMPARE(p.editor->toPlainText(), kKeptText);
        QVERIFY(p.pane.lastFileName().isEmpty());
    }

    void dialogStartsAtTheLastChosenName() {
        QTemporaryDir dir;
        const QString first = writeFile(dir, QStringLiteral("first.txt"), "1");
        const QString second = writeFile(dir, QStringLiteral("second.txt"), "2");
        Pane p;
        QStringList offered;
        QStringList answers{first, second};
        p.pane.setFileChooser([&](QWidget&, const QString& last) {
            offered << last;
            return std::optional<QString>(answers.takeFirst());
        });
        p.pane.Button7Click();
        p.pane.Button7Click();
        QCOMPARE(offered, (QStringList{QString(), first}));
        QCOMPARE(p.editor->toPlainText(), QStringLiteral("2"));
    }

    void loadsReplaceTheDocumentWithoutLeaking() {
        QTemporaryDir dir;
        const QString rich = writeFile(dir, QStringLiteral("r.txt"), "{\\rtf1 a}");
        Pane p;
        p.loadWith(rich);
        QPointer<QTextDocument> loaded = p.editor->document();
        p.loadWith(rich);
        QVERIFY(loaded.isNull());
        QCOMPARE(p.editor->document()->parent(), p.editor);
    }

    void blank() {
        QTemporaryDir dir;
        Pane p;
        QVERIFY(p.showActive());
        p.pane.Button10Click(); // on an empty editor
        QVERIFY(p.editor->toPlainText().isEmpty());

        p.loadWith(writeFile(dir, QStringLiteral("big.txt"), "{\\rtf1\\fs72\\b big\\par}"));
        QCOMPARE(p.editor->toPlainText(), QStringLiteral("big"));
        p.pane.Button10Click();
        QVERIFY(p.editor->toPlainText().isEmpty());
        QVERIFY(!p.editor->document()->isUndoAvailable());

        // What is typed next is in the editor's font, not the loaded text's.
        p.editor->setFocus();
        QTRY_VERIFY(p.editor->hasFocus());
        QTest::keyClicks(p.editor, QStringLiteral("t"));
        const QTextCharFormat typed = formatAt(*p.editor->document(), 0);
        QCOMPARE(typed.font().pixelSize(), 16);
        QVERIFY(typed.fontWeight() != QFont::Bold);
    }

    // The real dialog: its settings, a typed name of an existing and of a
    // missing file, starting at the last name, and cancel.
    void throughTheRealDialog() {
        QTemporaryDir dir;
        const QString existing = writeFile(dir, QStringLiteral("a.txt"), "\x82\xA0");
        const QString missing = dir.filePath(QStringLiteral("nothing here.txt"));
        Pane p;
        QVERIFY(p.showActive());

        bool settingsOk = false;
        whenDialogOpens([&](QFileDialog& d) {
            settingsOk =
                d.testOption(QFileDialog::DontUseNativeDialog) &&
                d.fileMode() == QFileDialog::AnyFile && d.acceptMode() == QFileDialog::AcceptOpen &&
                d.nameFilters() == QStringList{QStringLiteral("テキストファイル (*.txt)")} &&
                d.selectedNameFilter() == QStringLiteral("テキストファイル (*.txt)") && d.isModal();
            typeIntoDialog(d, existing);
        });
        p.pane.Button7Click();
        QVERIFY(settingsOk);
        QCOMPARE(p.editor->toPlainText(), QStringLiteral("あ"));

        QString offeredName;
        whenDialogOpens([&](QFileDialog& d) {
            offeredName = d.selectedFiles().value(0);
            typeIntoDialog(d, missing);
        });
        QCOMPARE(errorOf([&] { p.pane.Button7Click(); }), cannotOpen(missing));
        QCOMPARE(offeredName, existing);
        QCOMPARE(p.editor->toPlainText(), QStringLiteral("あ"));

        QString offeredAgain;
        whenDialogOpens([&](QFileDialog& d) {
            offeredAgain = d.selectedFiles().value(0);
            d.reject();
        });
        p.pane.Button7Click();
        QCOMPARE(offeredAgain, missing);
        QCOMPARE(p.editor->toPlainText(), QStringLiteral("あ"));
    }
};

QTEST_MAIN(WordProcessorPaneTest)
#include "tst_wordprocessorpane.moc"
