#include "ui/Application.h"

#include "ui/Fonts.h"
#include "ui/FormBuilder.h"

#include <QApplication>

namespace ui {

void prepareApplication(QApplication& app) {
    const QString title = fromUtf8(kApplicationTitle);
    app.setApplicationName(title);
    app.setApplicationDisplayName(title);
    app.setDesktopFileName(QStringLiteral("tonpara"));
    installFontSubstitutions();
}

} // namespace ui
