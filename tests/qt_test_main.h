#pragma once

// The main function of a QtTest program: an application, and remembered
// settings kept in a temporary folder of this run, so no test reads or
// writes the user's own.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "services/settings.h"

#define ZEPHYRIN_QTEST_MAIN(TestClass)                                                   \
    int main(int argc, char** argv) {                                                    \
        QApplication application(argc, argv);                                            \
        application.setQuitOnLastWindowClosed(false);                                    \
        QTemporaryDir settings;                                                          \
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path()); \
        /* Most tests expect a new window's plain random start; some turn Find on. */    \
        zephyrin::remember(zephyrin::kFindOnStartKey, false);                            \
        TestClass test;                                                                  \
        return QTest::qExec(&test, argc, argv);                                          \
    }
