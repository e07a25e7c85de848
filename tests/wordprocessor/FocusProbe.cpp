// Focuses an editor and calls the input-method switch directly, then exits.
// The input-method test runs it without a session bus and expects silence.
#include "ui/wordprocessor/InputMethodSwitch.h"
#include "ui/wordprocessor/RichEdit.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TRichEdit editor;
    editor.resize(200, 100);
    editor.show();
    editor.activateWindow();
    editor.setFocus();
    QTimer::singleShot(300, [] { wordprocessor::activateInputMethod(); });
    QTimer::singleShot(600, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
