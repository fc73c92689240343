#include <QApplication>

#include "frame/program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zephyrin"));
    zephyrin::Program program;
    program.show();
    return QApplication::exec();
}
