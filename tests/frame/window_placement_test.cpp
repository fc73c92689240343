// Where new picture windows open in the frame.
#include <QImage>
#include <QMdiArea>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "engine/core/engine.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "qt_test_main.h"
#include "services/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    // Fully in view, one title bar down and right of the last while that
    // holds it; a window the area cannot hold shows its top-left corner.
    void newWindowsOpenInViewCascadedFromTheLast() {
        QTemporaryDir dir;
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.MainForm->resize(1000, 720);
        program.MainForm->show();
        const QWidget* view = program.MainForm->mdiArea()->viewport();
        const int step = program.MainForm->style()->pixelMetric(QStyle::PM_TitleBarHeight);

        QTimer::singleShot(800, [&] { program.MainForm->StopButtonClick(); });
        program.MainForm->FileNewItemClick();
        QTRY_COMPARE(program.MainForm->activeChild()->setupPending, kFalse);
        QTRY_COMPARE(program.engine.Depth(), 0);
        QCOMPARE(program.MainForm->activeChild()->pos(), QPoint(0, 0));
        const auto open = [&](QSize size) {
            const QString path = dir.filePath(QStringLiteral("%1.png").arg(size.width()));
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::black);
            image.save(path);
            return program.MainForm->openImage(path);
        };
        for (int opened = 1; opened <= 2; ++opened) {
            TMDIChild* child = open(QSize(500 + 100 * opened, 400));
            QTRY_COMPARE(child->setupPending, kFalse);
            const QRect window = child->geometry();
            QCOMPARE(window.topLeft(), QPoint(step, step) * opened);
            QVERIFY(view->rect().contains(window));
        }
        // Fitted to the area, it does not fit one step further: moved into view.
        TMDIChild* child = open(QSize(1600, 1200));
        QTRY_COMPARE(child->setupPending, kFalse);
        const QRect large = child->geometry();
        QVERIFY(!view->rect().contains(QRect(QPoint(step, step) * 3, large.size())));
        QVERIFY(view->rect().contains(large));

        program.MainForm->resize(200, 150);
        child = open(QSize(300, 200));
        QTRY_COMPARE(child->setupPending, kFalse);
        const QRect beyond = child->geometry();
        QVERIFY(beyond.width() > view->width() || beyond.height() > view->height());
        QCOMPARE(beyond.topLeft(), QPoint(0, 0));
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowPlacementTest)

#include "window_placement_test.moc"
