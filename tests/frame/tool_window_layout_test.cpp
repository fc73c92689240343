// Where the frame and the tool windows go, on the screens users reported.
#include <QTest>

#include "frame/tool_window_layout.h"
#include "qt_test_main.h"

namespace zephyrin::testing {

// The outer sizes of the Parameters, Coefficients and XY size windows with a
// title bar.
const QList<QSize> kTools{{250, 400}, {270, 275}, {212, 125}};

class ToolWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void toolsStayOnScreenApartAndBesideTheFrame_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<bool>("roomBeside");
        QTest::newRow("1280 x 1024") << QRect(0, 0, 1280, 1000) << true;
        QTest::newRow("1920 x 1080") << QRect(0, 0, 1920, 1040) << true;
        QTest::newRow("second screen") << QRect(1920, 0, 1600, 900) << true;
        QTest::newRow("1024 x 600, column too short") << QRect(0, 0, 1024, 570) << false;
        QTest::newRow("800 x 480") << QRect(0, 0, 800, 450) << false;
    }
    void toolsStayOnScreenApartAndBesideTheFrame() {
        QFETCH(QRect, screen);
        QFETCH(bool, roomBeside);
        const QRect frame = placeFrame(screen, QSize(1000, 720).boundedTo(screen.size() * 0.9), 270);
        QVERIFY(screen.contains(frame));
        const QList<QPoint> corners = placeToolWindows(screen, frame, kTools);
        QCOMPARE(corners.size(), kTools.size());
        QList<QRect> placed;
        for (int i = 0; i < kTools.size(); ++i) {
            const QRect tool(corners[i], kTools[i]);
            QVERIFY2(screen.contains(tool), qPrintable(QStringLiteral("tool %1 leaves the screen").arg(i)));
            for (const QRect& other : placed) QVERIFY(!tool.intersects(other));
            if (roomBeside) QVERIFY(!tool.intersects(frame));
            placed.append(tool);
        }
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
