// The tool windows as the program places them on the screen it runs on.
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <algorithm>

#include "dialogs/coefficients_dialog.h"
#include "dialogs/colouring_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/xy_size_dialog.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "qt_test_main.h"
#include "services/one_shot_timer.h"

namespace zephyrin::testing {

class ToolWindowPlacerTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        // No places remembered from the rows before.
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zephyrin"),
                  QStringLiteral("Zephyrin"))
            .remove(QStringLiteral("toolWindows"));
    }

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
            tools[index]->show();
            QVERIFY(QTest::qWaitForWindowExposed(tools[index]));
            const QRect placed = tools[index]->frameGeometry();
            QVERIFY2(screen.contains(placed), qPrintable(tools[index]->objectName()));
            for (const QRect& other : shown)
                QVERIFY2(!placed.intersects(other), qPrintable(tools[index]->objectName()));
            shown << placed;
            // The user moves the first one a little before opening the others.
            if (shown.size() == 1) {
                tools[index]->move(tools[index]->pos() + QPoint(0, 60));
                shown.last() = tools[index]->frameGeometry();
            }
        }
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::ToolWindowPlacerTest)

#include "tool_window_placer_test.moc"
