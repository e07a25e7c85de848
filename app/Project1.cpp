#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tonpara"));
    QLabel placeholder(QStringLiteral("Tonpara"));
    placeholder.show();
    return QApplication::exec();
}
