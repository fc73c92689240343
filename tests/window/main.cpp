#include <QApplication>

#include "window_tests.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace zephyrin::testing;
    int failures = 0;
    failures += RunWindowDrawingTests(argc, argv);
    failures += RunWindowMenusTests(argc, argv);
    failures += RunWindowZoomTests(argc, argv);
    failures += RunWindowFilesTests(argc, argv);
    failures += RunWindowReduceTests(argc, argv);
    failures += RunWindowBridgeTests(argc, argv);
    failures += RunWindowSizeTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
