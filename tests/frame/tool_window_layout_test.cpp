// Where the frame and the tool windows go, on the screens users have.
#include <QTest>
#include <algorithm>

#include "frame/tool_window_layout.h"
#include "qt_test_main.h"

namespace zephyrin::testing {

// The outer sizes of the Parameters, Coefficients, XY size and Colouring
// windows with a window manager's title bar, a little larger than measured.
const QList<QSize> kTools{{275, 405}, {380, 285}, {212, 125}, {330, 300}};

class ToolWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void toolsOpenedInAnyOrderStayOnScreenAndApart_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<bool>("roomBeside");  // for all of them beside the frame
        QTest::newRow("1024 x 768") << QRect(0, 0, 1024, 768) << false;
        QTest::newRow("1280 x 1024") << QRect(0, 0, 1280, 1024) << false;
        QTest::newRow("1366 x 768") << QRect(0, 0, 1366, 768) << false;
        QTest::newRow("1920 x 1080, a panel") << QRect(0, 0, 1920, 1040) << false;
        QTest::newRow("1920 x 1200") << QRect(0, 0, 1920, 1200) << true;
        QTest::newRow("second screen") << QRect(1920, 0, 1600, 900) << false;
        QTest::newRow("2560 x 1440") << QRect(0, 0, 2560, 1440) << true;
        QTest::newRow("3840 x 2160") << QRect(0, 0, 3840, 2160) << true;
    }
    void toolsOpenedInAnyOrderStayOnScreenAndApart() {
        QFETCH(QRect, screen);
        QFETCH(bool, roomBeside);
        const QRect frame = placeFrame(screen, QSize(1000, 720).boundedTo(screen.size() * 0.9), 380);
        QVERIFY(screen.contains(frame));
        QList<int> order{0, 1, 2, 3};
        do {
            QList<QRect> taken;
            for (int index : order) {
                const QRect tool(placeToolWindow(screen, frame, kTools, taken, kTools[index]), kTools[index]);
                const QString where = QStringLiteral("tool %1 of order %2%3%4%5")
                                          .arg(index)
                                          .arg(order[0])
                                          .arg(order[1])
                                          .arg(order[2])
                                          .arg(order[3]);
                QVERIFY2(screen.contains(tool), qPrintable(where + QStringLiteral(" leaves the screen")));
                for (const QRect& other : taken)
                    QVERIFY2(!tool.intersects(other), qPrintable(where + QStringLiteral(" overlaps")));
                if (roomBeside) QVERIFY2(!tool.intersects(frame), qPrintable(where));
                taken << tool;
            }
        } while (std::next_permutation(order.begin(), order.end()));
    }

    // A narrow screen shrinks the frame before it gives up the column beside it.
    void theFrameMakesRoomForTheColumn() {
        const QRect screen(0, 0, 1100, 900);
        const QRect frame = placeFrame(screen, QSize(1000, 720), 270);
        QCOMPARE(frame.left(), 0);
        QCOMPARE(frame.width(), 1100 - 270 - kToolWindowGap);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::ToolWindowLayoutTest)
#include "tool_window_layout_test.moc"
