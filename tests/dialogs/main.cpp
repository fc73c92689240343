#include <QApplication>

#include "test_suites.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    failures += RunSpinEditTests(argc, argv);
    failures += RunParametersDialogTests(argc, argv);
    failures += RunCoefficientsDialogTests(argc, argv);
    failures += RunXYSizeDialogTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
