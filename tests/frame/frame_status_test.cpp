// The frame's status bar: hints, and the active window's drawing.
#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "engine/core/engine.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "qt_test_main.h"
#include "services/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

class FrameStatusTest : public QObject {
    Q_OBJECT

private slots:
    // While a window draws, its iterations go up with a rate beside them;
    // once it stops, the count stays without one.
    void theActiveWindowsIterationsAndRateWhileItDraws() {
        Program program;
        program.MainForm->show();
        const QLabel* progress =
            program.MainForm->statusBar()->findChild<QLabel*>(QStringLiteral("DrawingProgress"));
        QVERIFY(progress);
        const QRegularExpression drawing(
            QStringLiteral("^([\\d,]+) iterations, \\d+[.,]\\d\\d million a second$"));
        QStringList seen;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (program.engine.Depth() == 0) return;
            seen << progress->text();
            if (seen.size() == 20) program.MainForm->StopButtonClick();
        });
        watch.start(100);
        QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 20 && program.engine.Depth() == 0, 10000);
        watch.stop();
        qint64 last = 0;
        for (const QString& text : seen.mid(10)) {
            const QRegularExpressionMatch match = drawing.match(text);
            QVERIFY2(match.hasMatch(), qPrintable(text));
            const qint64 iterations = QLocale().toLongLong(match.captured(1));
            QVERIFY(iterations >= last);
            last = iterations;
        }
        QVERIFY(last > 0);
        const QRegularExpressionMatch stopped =
            QRegularExpression(QStringLiteral("^([\\d,]+) iterations$")).match(progress->text());
        QVERIFY2(stopped.hasMatch(), qPrintable(progress->text()));
        QVERIFY(QLocale().toLongLong(stopped.captured(1)) >= last);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::FrameStatusTest)

#include "frame_status_test.moc"
