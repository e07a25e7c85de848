#include "ui/Application.h"
#include "ui/Unit1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::prepareApplication(app);
    TForm1 form;
    form.show();
    QApplication::exec();
    return 0;
}
