// The measures of a window's record, taken off the interface thread.
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "gallery/measures_text.h"
#include "gallery/orbit_measurer.h"
#include "qt_test_main.h"
#include "services/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

namespace {

TFractalRec recordOf(int formula) {
    TFractalRec v = NewWindowRecord(400, 300);
    SelectFormula(v, formula);
    return v;
}

}  // namespace

class OrbitMeasurerTest : public QObject {
    Q_OBJECT

private slots:
    // Of three records asked for in a row, the first is measured at once and
    // the last once it is done; the one between is never measured, and only
    // the last one's measures are told.
    void onlyTheLatestRecordIsTold() {
        ThreadPool pool(1);
        OrbitMeasurer measurer(pool);
        QSignalSpy told(&measurer, &OrbitMeasurer::measured);
        measurer.measure(recordOf(1), Effects{});
        QVERIFY(measurer.busy());
        measurer.measure(recordOf(2), Effects{});
        measurer.measure(recordOf(63), Effects{});
        QTRY_VERIFY_WITH_TIMEOUT(!measurer.busy(), 60000);
        QCOMPARE(told.size(), 1);
        const auto measures = told.front().front().value<OrbitMeasures>();
        const Result<OrbitMeasures> expected = MeasureOrbit(recordOf(63), Effects{}, 1, kSettledBudget);
        QVERIFY(expected);
        QCOMPARE(measuresText(measures), measuresText(*expected));
    }

    // A drawing that starts has the frame measure its record, while it draws.
    void theFrameShowsTheActiveWindowsMeasures() {
        Program program;
        TMainForm& frame = *program.MainForm;
        frame.FileNewItemClick();
        frame.Timer1()->setEnabled(false);
        const auto* shown = frame.findChild<QLabel*>(QStringLiteral("Measures"));
        QVERIFY(shown);
        QVERIFY(shown->text().isEmpty());
        QString text;
        QTimer::singleShot(3000, [&] {
            text = shown->text();
            frame.StopButtonClick();
        });
        QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), 30000);
        QVERIFY2(text.startsWith(QStringLiteral("L ")) || text == QStringLiteral("no measures"),
                 qPrintable(text));
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::OrbitMeasurerTest)
#include "orbit_measurer_test.moc"
