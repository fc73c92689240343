#include <QApplication>

#include "frame/main_form.h"
#include "frame/program.h"
#include "util/version.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zephyrin"));
    QApplication::setApplicationVersion(QLatin1String(zephyrin::kVersion));
    zephyrin::Program program;
    program.show();
    program.MainForm->openFiles(QApplication::arguments().mid(1));
    return QApplication::exec();
}
