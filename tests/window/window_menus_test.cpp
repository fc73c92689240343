// The window's menu tree, the formula commands' B rules and the check marks.
#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "qt_test_main.h"
#include "view/picture_view.h"
#include "window_fixture.h"

namespace zephyrin::testing {

class WindowMenusTest : public QObject {
    Q_OBJECT

private slots:
    void menuBarHoldsTheMenusInOrder() {
        WindowFixture f;
        QStringList captions, names;
        for (QMenu* menu : f.child->menuBarMenus()) {
            captions << menu->title();
            names << menu->objectName();
        }
        QCOMPARE(captions, (QStringList{"&XY Size", "Dia&logs", "Effe&cts", "F&ormula'", "Fo&rmula''",
                                        "&Plankton'''", "For&mula'''", "&IFS", "&Edit"}));
        QCOMPARE(names, (QStringList{"test1", "Dialogs1", "Effects", "Formula1", "Formula2", "Formula3",
                                     "Sinus1", "IFS1", "Edit1"}));
    }

    void formulaItems_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("enabled");
        for (int n = 1; n <= 75; ++n) {
            if (n >= 56 && n <= 59) continue;
            const bool disabled = (n >= 67 && n <= 69) || n >= 73;
            QTest::addRow("Draw%02d", n) << n << !disabled;
        }
    }
    void formulaItems() {
        QFETCH(int, number);
        QFETCH(bool, enabled);
        WindowFixture f;
        QAction* item =
            f.child->findChild<QAction*>(QStringLiteral("Draw%1").arg(number, 2, 10, QLatin1Char('0')));
        QVERIFY(item);
        QCOMPARE(item->isEnabled(), enabled);
        QVERIFY(item->isCheckable());
    }

    void formulaCommandsSetBByTheirRule_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<double>("bb");
        QTest::newRow("22") << "Draw22" << 1.005;
        QTest::newRow("23 keeps B") << "Draw23" << 0.7;
        QTest::newRow("39 keeps B") << "Draw39" << 0.7;
        QTest::newRow("40") << "Draw40" << 1.0;
        QTest::newRow("63") << "Draw63" << 1.0;
    }
    void formulaCommandsSetBByTheirRule() {
        QFETCH(QString, item);
        QFETCH(double, bb);
        WindowFixture f;
        f.SetUp(f.child);
        f.child->document().v.BB = 0.7;
        f.RunDrawing([&] { f.child->findChild<QAction*>(item)->trigger(); });
        QCOMPARE(f.child->document().v.BB, bb);
        QCOMPARE(f.child->document().v.formula, item.mid(4).toInt());
        QVERIFY(f.child->findChild<QAction*>(item)->isChecked());
    }

    void checkMarksFollowTheRecord() {
        WindowFixture f;
        f.child->document().v.formula = 57;
        f.child->document().effects.modulas = kTrue;
        f.child->document().v.sqrtFilter = kTrue;
        f.child->UpdateMenuItems();
        for (QAction* item : f.child->findChildren<QAction*>())
            if (item->objectName().startsWith(QStringLiteral("Draw"))) QVERIFY(!item->isChecked());
        QVERIFY(f.child->findChild<QAction*>(QStringLiteral("Modulas"))->isChecked());
        QVERIFY(!f.child->findChild<QAction*>(QStringLiteral("Expansion"))->isChecked());
        QVERIFY(f.child->findChild<QAction*>(QStringLiteral("SqrtFilter1"))->isChecked());
        f.child->document().v.formula = 63;
        f.child->UpdateMenuItems();
        QVERIFY(f.child->findChild<QAction*>(QStringLiteral("Draw63"))->isChecked());
        QVERIFY(!f.child->findChild<QAction*>(QStringLiteral("Draw64"))->isChecked());
    }

    void effectCaptionsAndColorMixDisabled() {
        WindowFixture f;
        QCOMPARE(f.child->findChild<QAction*>(QStringLiteral("Modulas"))->text(), QStringLiteral("Modulas "));
        QCOMPARE(f.child->findChild<QAction*>(QStringLiteral("SqrtFilter1"))->text(),
                 QStringLiteral("Square root filter"));
        QVERIFY(!f.child->findChild<QAction*>(QStringLiteral("ColorMix"))->isEnabled());
        QCOMPARE(f.child->findChild<QAction*>(QStringLiteral("ZoomIn1"))->text(),
                 QStringLiteral("Zoom into Rectangle"));
    }

    void squareRootFilterFlipsWithoutARestart() {
        WindowFixture f;
        f.SetUp(f.child);
        QSignalSpy restarts(f.child->PGImage1, &PictureView::newAutoSize);
        f.child->findChild<QAction*>(QStringLiteral("SqrtFilter1"))->trigger();
        QCOMPARE(f.child->document().v.sqrtFilter, kTrue);
        QVERIFY(f.child->findChild<QAction*>(QStringLiteral("SqrtFilter1"))->isChecked());
        f.child->findChild<QAction*>(QStringLiteral("SqrtFilter1"))->trigger();
        QCOMPARE(f.child->document().v.sqrtFilter, kFalse);
        QCOMPARE(restarts.count(), 0);
    }

    void modulasTwiceRestartsTwiceAndEndsOff() {
        WindowFixture f;
        f.SetUp(f.child);
        f.child->document().v.randomStart = kFalse;
        QSignalSpy restarts(f.child->PGImage1, &PictureView::newAutoSize);
        f.RunDrawing([&] { f.child->findChild<QAction*>(QStringLiteral("Modulas"))->trigger(); });
        QCOMPARE(f.child->document().effects.modulas, kTrue);
        QVERIFY(f.child->findChild<QAction*>(QStringLiteral("Modulas"))->isChecked());
        QCOMPARE(f.child->document().v.randomStart, kFalse);  // an effect keeps the coefficients
        f.RunDrawing([&] { f.child->findChild<QAction*>(QStringLiteral("Modulas"))->trigger(); });
        QCOMPARE(f.child->document().effects.modulas, kFalse);
        QCOMPARE(restarts.count(), 2);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowMenusTest)
#include "window_menus_test.moc"
