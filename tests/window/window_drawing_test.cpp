// A window's first-time set-up, its drawing runs, the busy caption and the
// nesting of drawings started while one runs.
#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "imaging/picture.h"
#include "qt_test_main.h"
#include "view/picture_view.h"
#include "window/save_names.h"
#include "window_fixture.h"

namespace zephyrin::testing {

class WindowDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void firstSetUpMakesANewPictureAndStartsDrawing() {
        WindowFixture f;
        TMDIChild* w = f.child;
        bool checked = false;
        f.SetUp(w, WindowFixture::BusyCaption(w), [&] {
            QCOMPARE(w->pictureName, QStringLiteral("zephyrin    "));
            QVERIFY(w->windowTitle().startsWith(QStringLiteral("Busy... ")));
            QCOMPARE(modeWord(), kModeRunning);
            QCOMPARE(w->PGImage1->currentPicture()->Width(), 400);
            QCOMPARE(w->PGImage1->currentPicture()->Height(), 300);
            QCOMPARE(w->document().hitList.size(), std::size_t{160000});
            QCOMPARE(w->document().v.formula, 70);
            QVERIFY(w->findChild<QAction*>(QStringLiteral("Draw70"))->isChecked());
            QCOMPARE(w->document().v.stop, kFalse);
            QCOMPARE(f.engine.Depth(), 1);
            QVERIFY(w->document().v.iterations > 0);
            QCOMPARE(w->document().v.randomStart, kFalse);
            checked = true;
        });
        QVERIFY(checked);
        QCOMPARE(w->setupPending, kFalse);
        QCOMPARE(w->windowTitle(), QStringLiteral("zephyrin    "));
        QCOMPARE(f.engine.Depth(), 0);
        QVERIFY(w->document().v.varNone && w->document().v.varSwirl && !w->document().v.varLinear);
        QCOMPARE(w->document().v.intensity, 10.0);
        QCOMPARE(w->document().v.transformMode, 3);
    }

    // A window stopped while its drawing waits under a newer one still shows
    // the busy caption; a restart then must not take it for the window's name.
    void aBusyCaptionNeverBecomesTheName() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        QString proposed;
        f.RunDrawing([w] { w->DrawClick(70); }, WindowFixture::kShortDrawing,
                     [&] {
                         w->Timer2Timer();  // the busy caption
                         w->document().v.stop = kTrue;
                         proposed = ProposedSaveName(*w);
                         QTimer::singleShot(50, [&] { f.engine.StopCurrent(); });
                         w->DrawClick(5);
                     });
        QCOMPARE(proposed, QStringLiteral("zephyrin"));
        QCOMPARE(w->pictureName, QStringLiteral("zephyrin    "));
        QCOMPARE(w->windowTitle(), QStringLiteral("zephyrin    "));
    }

    // Closed within the half second before its set-up: set up, but no drawing
    // until the user restores it.
    void aWindowClosedBeforeItsFirstDrawingDoesNotDraw() {
        WindowFixture f;
        f.area.show();  // a hidden window is not asked before it closes
        TMDIChild* w = f.child;
        w->close();
        setModeWord(kModeNew);
        w->Timer1Timer();
        QCOMPARE(w->setupPending, kFalse);
        QCOMPARE(f.engine.Depth(), 0);
        QCOMPARE(w->document().v.iterations, 0);
        QVERIFY(w->isMinimized());
        w->showNormal();
        bool drew = false;
        f.RunDrawing([w] { w->UpdateGrafX(); }, WindowFixture::kShortDrawing,
                     [&] { drew = f.engine.Depth() == 1; });
        QVERIFY(drew);
    }

    void setUpRunsOnlyOnce() {
        WindowFixture f;
        f.SetUp(f.child);
        const Picture* picture = f.child->PGImage1->currentPicture();
        f.child->FormPaint();  // returns at once: nothing starts
        QCOMPARE(f.child->PGImage1->currentPicture(), picture);
    }

    void busyCaptionShowsTicksLevelAAndThePoint() {
        WindowFixture f;
        TMDIChild* w = f.child;
        w->document().v.ticks = 0;
        w->document().lastLevel = 412;
        w->document().v.AA = 1.23;
        w->document().v.lastX = -0.5;
        w->document().v.lastY = 0.75;
        w->Timer2Timer();
        QCOMPARE(w->windowTitle(), QStringLiteral("Busy... 0   412   1.23   -0.50   0.75"));
        QCOMPARE(w->document().v.ticks, 1);
        w->Timer2Timer();
        QVERIFY(w->windowTitle().startsWith(QStringLiteral("Busy... 1   412")));
    }

    // On the threads the level is that of the whole drawing's count of the
    // last pixel, as in the engine: a still point lights one pixel, and its
    // count (without the square-root filter) is the level.
    void aDensityDrawingsLevelIsThatOfTheLastPixelsWholeCount() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        w->document().v.formula = 73;  // the point never moves
        w->document().v.startX = 0.3;  // inside pixel (200, 150)
        w->document().v.startY = 0.2;
        w->document().v.intensity = 0;
        w->document().v.varSwirl = kFalse;
        w->document().v.randomStart = kFalse;
        if (w->document().density().mode != ColouringMode::kDensity) ToggleDensity(w);
        f.RunDrawing([w] { w->UpdateGrafX(); }, 300'000);
        ToggleDensity(w);
        const CountGrid counts = w->document().counts();
        QCOMPARE(std::ranges::count_if(counts.Counts(),
                                       [](std::int32_t count) { return count > kUntouchedCount; }),
                 1);
        QVERIFY(counts.At(200, 150) > 1000);
        QCOMPARE(w->document().lastLevel, counts.At(200, 150));
    }

    void theRefreshTimerRunsOnlyWhileDrawing() {
        WindowFixture f;
        QVERIFY(!f.child->Timer2->isActive());
        f.SetUp(f.child, WindowFixture::kShortDrawing, [&] { QVERIFY(f.child->Timer2->isActive()); });
        QVERIFY(!f.child->Timer2->isActive());
    }

    void stopRestoresThePictureName() {
        WindowFixture f;
        f.SetUp(f.child, WindowFixture::BusyCaption(f.child));
        QCOMPARE(f.child->windowTitle(), QStringLiteral("zephyrin    "));
    }

    void aFormulaPickDuringADrawingNestsAndOneStopEndsBoth() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        int depthInside = 0;
        const Picture* outerPicture = nullptr;
        bool innerChecked = false;
        f.RunDrawing([w] { w->UpdateGrafX(); }, WindowFixture::kShortDrawing,
                     [&] {
                         outerPicture = w->PGImage1->currentPicture();
                         QTimer::singleShot(50, [&] {
                             depthInside = f.engine.Depth();
                             innerChecked = w->findChild<QAction*>(QStringLiteral("Draw63"))->isChecked();
                             w->document().v.stop = kTrue;  // the Stop command
                         });
                         w->findChild<QAction*>(QStringLiteral("Draw63"))->trigger();
                         QVERIFY(w->PGImage1->currentPicture() != outerPicture);
                     });
        QCOMPARE(depthInside, 2);
        QVERIFY(innerChecked);
        QCOMPARE(w->document().v.formula, 63);
        QCOMPARE(f.engine.Depth(), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("zephyrin    "));
    }

    void hitListIsASquareOfTheLargerSide() {
        WindowFixture f;
        f.SetUp(f.child);
        f.child->document().v.listWidth = 300;
        f.child->document().v.listHeight = 400;
        f.child->CreateTList();
        QCOMPARE(f.child->document().hitList.size(), std::size_t{160000});
        QVERIFY(std::all_of(f.child->document().hitList.begin(), f.child->document().hitList.end(),
                            [](int c) { return c == 0; }));
    }

    void endlessRestartsNeverNestBeyondTheLimit() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        int deepest = 0;
        // Inside whatever drawing runs, pick a formula again, which nests.
        std::function<void()> pick = [&] {
            deepest = std::max(deepest, f.engine.Depth());
            if (f.engine.Depth() >= PictureDocument::kMaxNesting) {
                w->DrawClick(70);  // ends the running drawings instead of nesting
                QCOMPARE(f.engine.Depth(), PictureDocument::kMaxNesting);
                return;
            }
            QTimer::singleShot(1, pick);
            w->DrawClick(70);
        };
        QTimer::singleShot(1, pick);
        w->DrawClick(70);
        QCOMPARE(deepest, PictureDocument::kMaxNesting);
        QCOMPARE(f.engine.Depth(), 0);
        // Once unwound, the deferred start draws again, not nested.
        int depthOfRestart = 0;
        QTimer::singleShot(200, [&] {
            depthOfRestart = f.engine.Depth();
            w->document().v.stop = kTrue;
        });
        QTRY_VERIFY(depthOfRestart != 0);
        QCOMPARE(depthOfRestart, 1);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowDrawingTest)
#include "window_drawing_test.moc"
