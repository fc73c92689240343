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
#include "window_fixture.h"

namespace zephyrin::testing {

class WindowDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void firstSetUpMakesANewPictureAndStartsDrawing() {
        WindowFixture f;
        TMDIChild* w = f.child;
        bool checked = false;
        f.SetUp(w, 600, [&] {
            QCOMPARE(w->pictureName, QStringLiteral("zephyrin    "));
            QVERIFY(w->windowTitle().startsWith(QStringLiteral("Busy... ")));
            QCOMPARE(modeWord(), kModeRunning);
            QCOMPARE(w->PGImage1->currentPicture()->Width(), 400);
            QCOMPARE(w->PGImage1->currentPicture()->Height(), 300);
            QCOMPARE(w->hitList.size(), std::size_t{160000});
            QCOMPARE(w->v.formula, 70);
            QVERIFY(w->item(QStringLiteral("Draw70"))->isChecked());
            QCOMPARE(w->v.stop, kFalse);
            QCOMPARE(f.engine.Depth(), 1);
            QVERIFY(w->v.iterations > 0);
            QCOMPARE(w->v.randomStart, kFalse);
            checked = true;
        });
        QVERIFY(checked);
        QCOMPARE(w->setupPending, kFalse);
        QCOMPARE(w->windowTitle(), QStringLiteral("zephyrin    "));
        QCOMPARE(f.engine.Depth(), 0);
        QVERIFY(w->v.varNone && w->v.varSwirl && !w->v.varLinear);
        QCOMPARE(w->v.intensity, 10.0);
        QCOMPARE(w->v.transformMode, 3);
    }

    // A window stopped while its drawing waits under a newer one still shows
    // the busy caption; a restart then must not take it for the window's name.
    void aBusyCaptionNeverBecomesTheName() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        QString proposed;
        f.RunDrawing([w] { w->DrawClick(70); }, 50,
                     [&] {
                         w->Timer2Timer();  // the busy caption
                         w->v.stop = kTrue;
                         proposed = w->proposedSaveName();
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
        QCOMPARE(w->v.iterations, 0);
        QVERIFY(w->isMinimized());
        w->showNormal();
        bool drew = false;
        f.RunDrawing([w] { w->UpdateGrafX(); }, 50, [&] { drew = f.engine.Depth() == 1; });
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
        w->v.ticks = 0;
        w->lastLevel = 412;
        w->v.AA = 1.23;
        w->v.lastX = -0.5;
        w->v.lastY = 0.75;
        w->Timer2Timer();
        QCOMPARE(w->windowTitle(), QStringLiteral("Busy... 0   412   1.23   -0.50   0.75"));
        QCOMPARE(w->v.ticks, 1);
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
        w->v.formula = 73;  // the point never moves
        w->v.startX = 0.3;  // inside pixel (200, 150)
        w->v.startY = 0.2;
        w->v.intensity = 0;
        w->v.varSwirl = kFalse;
        w->v.randomStart = kFalse;
        if (!w->density().enabled) w->toggleDensityColouring();
        f.RunDrawing([w] { w->UpdateGrafX(); }, 300);
        w->toggleDensityColouring();
        const CountGrid counts = w->counts();
        QCOMPARE(std::ranges::count_if(counts.Counts(),
                                       [](std::int32_t count) { return count > kUntouchedCount; }),
                 1);
        QVERIFY(counts.At(200, 150) > 1000);
        QCOMPARE(w->lastLevel, counts.At(200, 150));
    }

    void theRefreshTimerRunsOnlyWhileDrawing() {
        WindowFixture f;
        QVERIFY(!f.child->Timer2->isActive());
        f.SetUp(f.child, 50, [&] { QVERIFY(f.child->Timer2->isActive()); });
        QVERIFY(!f.child->Timer2->isActive());
    }

    void stopRestoresThePictureName() {
        WindowFixture f;
        f.SetUp(f.child, 700);  // long enough for a busy caption
        QCOMPARE(f.child->windowTitle(), QStringLiteral("zephyrin    "));
    }

    void aFormulaPickDuringADrawingNestsAndOneStopEndsBoth() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        int depthInside = 0;
        const Picture* outerPicture = nullptr;
        bool innerChecked = false;
        f.RunDrawing([w] { w->UpdateGrafX(); }, 50,
                     [&] {
                         outerPicture = w->PGImage1->currentPicture();
                         QTimer::singleShot(50, [&] {
                             depthInside = f.engine.Depth();
                             innerChecked = w->item(QStringLiteral("Draw63"))->isChecked();
                             w->v.stop = kTrue;  // the Stop command
                         });
                         w->item(QStringLiteral("Draw63"))->trigger();
                         QVERIFY(w->PGImage1->currentPicture() != outerPicture);
                     });
        QCOMPARE(depthInside, 2);
        QVERIFY(innerChecked);
        QCOMPARE(w->v.formula, 63);
        QCOMPARE(f.engine.Depth(), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("zephyrin    "));
    }

    void hitListIsASquareOfTheLargerSide() {
        WindowFixture f;
        f.SetUp(f.child);
        f.child->v.listWidth = 300;
        f.child->v.listHeight = 400;
        f.child->CreateTList();
        QCOMPARE(f.child->hitList.size(), std::size_t{160000});
        QVERIFY(std::all_of(f.child->hitList.begin(), f.child->hitList.end(), [](int c) { return c == 0; }));
    }

    void endlessRestartsNeverNestBeyondTheLimit() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        int deepest = 0;
        // Inside whatever drawing runs, pick a formula again, which nests.
        std::function<void()> pick = [&] {
            deepest = std::max(deepest, f.engine.Depth());
            if (f.engine.Depth() >= TMDIChild::kMaxNesting) {
                w->DrawClick(70);  // ends the running drawings instead of nesting
                QCOMPARE(f.engine.Depth(), TMDIChild::kMaxNesting);
                return;
            }
            QTimer::singleShot(1, pick);
            w->DrawClick(70);
        };
        QTimer::singleShot(1, pick);
        w->DrawClick(70);
        QCOMPARE(deepest, TMDIChild::kMaxNesting);
        QCOMPARE(f.engine.Depth(), 0);
        // Once unwound, the deferred start draws again, not nested.
        int depthOfRestart = 0;
        QTimer::singleShot(200, [&] {
            depthOfRestart = f.engine.Depth();
            w->v.stop = kTrue;
        });
        QTRY_VERIFY(depthOfRestart != 0);
        QCOMPARE(depthOfRestart, 1);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowDrawingTest)
#include "window_drawing_test.moc"
