// Where the tool windows and new picture windows open.
#include <QImage>
#include <QMdiArea>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "dialogs/coefficients_dialog.h"
#include "dialogs/colouring_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/xy_size_dialog.h"
#include "engine/core/engine.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "qt_test_main.h"
#include "services/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

class FrameWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        // No places remembered from the tests before.
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zephyrin"),
                  QStringLiteral("Zephyrin"))
            .remove(QStringLiteral("toolWindows"));
    }

    // The first one opened is then moved a little by the user.
    void theFourToolWindowsOpenOnTheScreenApart_data() {
        QTest::addColumn<QList<int>>("order");  // 0 Parameters, 1 Coefficients, 2 XY Size, 3 Colouring
        QList<int> order{0, 1, 2, 3};
        do {
            QTest::addRow("%d%d%d%d", order[0], order[1], order[2], order[3]) << order;
        } while (std::next_permutation(order.begin(), order.end()));
    }
    void theFourToolWindowsOpenOnTheScreenApart() {
        QFETCH(QList<int>, order);
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.show();
        const QList<QWidget*> tools{program.Form4, program.CForm, program.XYSize, program.Colouring};
        const QRect screen = program.MainForm->screen()->availableGeometry();
        QList<QRect> shown;
        for (int index : order) {
            QWidget* tool = tools[index];
            tool->show();
            QVERIFY(QTest::qWaitForWindowExposed(tool));
            if (shown.isEmpty()) tool->move(tool->pos() + QPoint(0, 60));
            const QRect placed = tool->frameGeometry();
            QVERIFY2(screen.contains(placed), qPrintable(tool->objectName()));
            for (const QRect& other : shown)
                QVERIFY2(!placed.intersects(other), qPrintable(tool->objectName()));
            shown << placed;
        }
    }

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
        const auto open = [&](QSize size) {
            const QString path = dir.filePath(QStringLiteral("%1.png").arg(size.width()));
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::black);
            image.save(path);
            return program.MainForm->openImage(path);
        };
        QList<QRect> opened;
        for (const QSize size : {QSize(600, 400), QSize(700, 400), QSize(1600, 1200), QSize(300, 200)}) {
            if (opened.size() == 3) program.MainForm->resize(200, 150);
            TMDIChild* child = open(size);
            QTRY_COMPARE(child->setupPending, kFalse);
            opened << child->geometry();
            if (opened.size() <= 3) QVERIFY(view->rect().contains(opened.last()));
        }
        QCOMPARE(opened[0].topLeft(), QPoint(step, step));
        QCOMPARE(opened[1].topLeft(), QPoint(step, step) * 2);
        // Fitted to the area, the large one does not fit one step further.
        QVERIFY(!view->rect().contains(QRect(QPoint(step, step) * 3, opened[2].size())));
        QVERIFY(opened[3].width() > view->width() || opened[3].height() > view->height());
        QCOMPARE(opened[3].topLeft(), QPoint(0, 0));
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::FrameWindowsTest)

#include "frame_windows_test.moc"
