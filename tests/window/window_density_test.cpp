// A window in density colouring: the picture comes from the counts, follows
// the colouring without restarting, is reduced by summing counts, and is
// saved with 16 bits and its parameters inside.
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include "dialogs/colouring_dialog.h"
#include "engine/batch/counts_drawing.h"
#include "engine/colouring/colour_from_counts.h"
#include "engine/colouring/density_colour.h"
#include "imaging/area_averaging.h"
#include "imaging/embedded_parameters.h"
#include "imaging/picture.h"
#include "qt_test_main.h"
#include "services/file_choosers.h"
#include "services/settings.h"
#include "view/picture_view.h"
#include "window_fixture.h"

namespace zephyrin::testing {

namespace {

Picture ToneMapped(TMDIChild* w, int block = 1) {
    // Density drawings are counted on the drawing threads, width x height.
    const CountGrid grid = w->document().counts();
    const DensityCounts counts{grid, block};
    return ToPicture(DensityColour(counts, w->document().density(),
                                   *FindGradient(w->document().density().gradient), false));
}

// Stops every drawing shortly, so that a drawing started where none should
// be makes the test fail rather than wait for ever.
void StopSoon(WindowFixture& f) {
    QTimer::singleShot(500, &f.area, [&f] {
        for (TMDIChild* window : f.area.findChildren<TMDIChild*>()) window->document().stopDrawing();
        f.engine.StopCurrent();
    });
}

// New windows take the mode used last, which an earlier test may have left on.
void DensityOn(TMDIChild* w) {
    if (w->document().density().mode != ColouringMode::kDensity) ToggleDensity(w);
}

}  // namespace

class WindowDensityTest : public QObject {
    Q_OBJECT

private slots:
    // Switched during a drawing: the counts give the picture at once, the
    // engine stops painting, and switching back gives the classic picture.
    void switchingShowsTheCountsEitherWay() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        if (w->document().density().mode == ColouringMode::kDensity) ToggleDensity(w);
        f.RunDrawing([w] { w->DrawClick(70); }, 200'000, [w] { ToggleDensity(w); });
        QVERIFY(w->document().density().mode == ColouringMode::kDensity);
        QCOMPARE(w->document().picture, nullptr);
        QVERIFY(*w->PGImage1->currentPicture() == ToneMapped(w));

        ToggleDensity(w);
        QCOMPARE(w->document().picture, w->PGImage1->currentPicture());
        QVERIFY(*w->document().picture == ColourFromCounts(w->document().counts(), w->document().v));
    }

    // A colouring change, and its undo and redo, recolour from the counts;
    // the drawing goes on, and new windows take the colouring last chosen.
    void aColouringChangeRecoloursWithoutStartingOver() {
        WindowFixture f;
        ColouringDialog colouring;
        f.parts.colouring = &colouring;
        TMDIChild* w = f.NewWindow();
        f.frame.active = w;
        f.SetUp(w);
        DensityOn(w);
        const DensitySettings before = w->document().density();
        f.RunDrawing([w] { w->DrawClick(70); }, 200'000,
                     [&] {
                         const Picture* shown = w->PGImage1->currentPicture();
                         const CountsDrawing* drawing = w->document().threadsDrawing();
                         DensitySettings settings = w->document().density();
                         settings.gamma = 4;
                         settings.gradient = "ice";
                         colouring.setSettings(settings);
                         w->document().applyColouring(colouring.settings());
                         QCOMPARE(w->document().density().gradient, std::string("ice"));
                         QCOMPARE(w->PGImage1->currentPicture(), shown);
                         QCOMPARE(f.engine.Depth(), 1);
                         QVERIFY(*shown == ToneMapped(w));

                         StopSoon(f);
                         w->document().undo();
                         QCOMPARE(w->document().density(), before);
                         QCOMPARE(colouring.settings().gradient, before.gradient);
                         QCOMPARE(rememberedDensityDefaults(), before);
                         w->document().redo();
                         QCOMPARE(w->document().density().gamma, 4.0);
                         QCOMPARE(rememberedDensityDefaults().gradient, std::string("ice"));
                         QCOMPARE(w->PGImage1->currentPicture(), shown);
                         QCOMPARE(w->document().threadsDrawing(), drawing);
                         QCOMPARE(f.engine.Depth(), 1);
                         QVERIFY(*shown == ToneMapped(w));
                     });
    }

    // Undoing the switch to density colouring switches back; the drawing goes on.
    void undoingTheSwitchKeepsTheDrawing() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        if (w->document().density().mode == ColouringMode::kDensity) ToggleDensity(w);
        f.RunDrawing([w] { w->DrawClick(70); }, 200'000,
                     [&] {
                         ToggleDensity(w);
                         StopSoon(f);
                         w->document().undo();
                         QVERIFY(w->document().density().mode == ColouringMode::kClassic);
                         QVERIFY(rememberedDensityDefaults().mode == ColouringMode::kClassic);
                         QCOMPARE(w->document().v.stop, kFalse);
                         QCOMPARE(f.engine.Depth(), 1);
                     });
        QVERIFY(w->document().v.iterations > 0);
    }

    // 2:1 sums each 2 x 2 block of counts before the tone map; switched to
    // the classic colouring the picture is the classic one reduced, and back.
    void aReductionSumsTheCounts() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        DensityOn(w);
        f.RunDrawing([w] { w->DrawClick(70); }, 200'000);
        w->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger();
        w->Timer1Timer();
        QCOMPARE(w->PGImage1->currentPicture()->Width(), 200);
        QVERIFY(*w->PGImage1->currentPicture() == ToneMapped(w, 2));
        ToggleDensity(w);
        QVERIFY(*w->PGImage1->currentPicture() ==
                ReduceByAreaAveraging(ColourFromCounts(w->document().counts(), w->document().v), 2));
        ToggleDensity(w);
        QVERIFY(*w->PGImage1->currentPicture() == ToneMapped(w, 2));
    }

    // The drawing threads count; the window adds their counts at every
    // refresh, hands them the dialogs' values then, and ends their drawing at
    // once on Stop and on closing.
    void drawsOnTheThreadsUntilStoppedOrClosed() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        DensityOn(w);
        const CountsDrawing* drawing = nullptr;
        f.RunDrawing([w] { w->DrawClick(70); }, 100'000,
                     [&] {
                         drawing = w->document().threadsDrawing();
                         QVERIFY(drawing);
                         const std::uint64_t taken = drawing->Taken();
                         w->document().v.intensity = 3;
                         w->Timer2Timer();
                         QVERIFY(w->document().v.iterations > 0);
                         QTRY_COMPARE(drawing->Taken(), taken + 1);
                         w->document().stopDrawing();
                         QVERIFY(drawing->Stopped());
                     });
        QCOMPARE(w->document().threadsDrawing(), nullptr);
        QCOMPARE(w->document().counts().Size(),
                 static_cast<std::size_t>(w->document().v.width) * w->document().v.height);

        f.RunDrawing([w] { w->DrawClick(45); }, 100'000,
                     [&] {
                         drawing = w->document().threadsDrawing();
                         QVERIFY(drawing);
                         w->close();
                         QVERIFY(drawing->Stopped());
                     });
    }

    // Switched on during a classic drawing, the drawing goes on on the threads
    // from the engine's counts and iterations.
    void switchedOnTheThreadsTakeOver() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        if (w->document().density().mode == ColouringMode::kDensity) ToggleDensity(w);
        std::int64_t classicRise = 0, classicIterations = 0;
        bool tookOver = false;
        QTimer::singleShot(200, [&] {
            classicIterations = w->document().v.iterations;
            classicRise = w->document().counts().TotalRise();
            ToggleDensity(w);
        });
        QTimer::singleShot(700, [&] {
            tookOver = w->document().threadsDrawing() != nullptr;
            w->document().stopDrawing();
            f.engine.StopCurrent();
        });
        w->DrawClick(70);
        QVERIFY(tookOver);
        QVERIFY(w->document().countsByRow());
        const std::int64_t rise = w->document().counts().TotalRise();
        QVERIFY(classicRise > 0);
        QVERIFY(rise > classicRise);
        QVERIFY(w->document().v.iterations > classicIterations);
    }

    // Switched off during a drawing on the threads, the engine draws on from
    // their counts and iterations, painting each hit over the classic
    // picture of the counts.
    void switchedOffTheEngineTakesOver() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        DensityOn(w);
        std::int64_t threadsRise = 0, threadsIterations = 0;
        bool classicAtOnce = false, engineDraws = false;
        QTimer::singleShot(200, [&] {
            ToggleDensity(w);
            threadsIterations = w->document().v.iterations;
            threadsRise = w->document().counts().TotalRise();
            classicAtOnce =
                w->document().picture &&
                *w->document().picture == ColourFromCounts(w->document().counts(), w->document().v);
        });
        QTimer::singleShot(700, [&] {
            engineDraws = !w->document().threadsDrawing() && !w->document().countsByRow() &&
                          !w->document().v.stop && f.engine.Depth() == 1;
            w->document().stopDrawing();
            f.engine.StopCurrent();
        });
        w->DrawClick(70);
        QVERIFY(classicAtOnce);
        QVERIFY(engineDraws);
        QVERIFY(threadsRise > 0);
        QVERIFY(w->document().counts().TotalRise() > threadsRise);
        QVERIFY(w->document().v.iterations > threadsIterations);
    }

    // Remembered values beyond what a parameter file may hold are taken at
    // the nearer end; what is no number gives the default.
    void rememberedValuesAreTakenWithinTheirRanges_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<double>("brightness");
        QTest::addColumn<double>("gamma");
        QTest::addColumn<double>("vibrancy");
        QTest::newRow("brightness 1000") << kBrightnessKey << QVariant(1000) << 20.0 << 2.2 << 1.0;
        QTest::newRow("gamma abc") << kGammaKey << QVariant(QStringLiteral("abc")) << 1.0 << 2.2 << 1.0;
        QTest::newRow("gamma nan") << kGammaKey << QVariant(QStringLiteral("nan")) << 1.0 << 2.2 << 1.0;
        QTest::newRow("vibrancy -3") << kVibrancyKey << QVariant(-3) << 1.0 << 2.2 << 0.0;
    }
    void rememberedValuesAreTakenWithinTheirRanges() {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(double, brightness);
        QFETCH(double, gamma);
        QFETCH(double, vibrancy);
        rememberDensityDefaults(DensitySettings{});
        remember(key, stored);
        const DensitySettings remembered = rememberedDensityDefaults();
        QCOMPARE(remembered.brightness, brightness);
        QCOMPARE(remembered.gamma, gamma);
        QCOMPARE(remembered.vibrancy, vibrancy);
    }

    // PNG: 16 bits and the parameters inside, which Open takes back.
    void savedWith16BitsAndItsParameters() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("dense.png"));
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        DensityOn(w);
        f.RunDrawing([w] { w->DrawClick(45); }, 200'000);
        setFileChooser([&](const FileRequest&) { return FileChoice{path, 4}; });
        w->SaveAs1Click();
        setFileChooser({});
        QImageReader reader(path);
        QCOMPARE(reader.imageFormat(), QImage::Format_RGBX64);  // 16 bits a channel
        const Result<std::string> inside = ReadEmbeddedParameters(path.toStdString());
        QVERIFY(inside);
        QVERIFY(inside->find("density=1") != std::string::npos);

        TMDIChild* opened = f.NewWindow({.image = QImage(path)});
        opened->setWindowTitle(path);
        opened->FormPaint();
        QVERIFY(opened->document().density().mode == ColouringMode::kDensity);
        QCOMPARE(opened->document().v.formula, 45);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowDensityTest)
#include "window_density_test.moc"
