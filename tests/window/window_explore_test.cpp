// Going back and forward through a window's pictures, and the wheel zoom.
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "engine/core/zoom.h"
#include "imaging/picture.h"
#include "qt_test_main.h"
#include "services/messages.h"
#include "services/one_shot_timer.h"
#include "view/picture_view.h"
#include "window_fixture.h"

namespace zephyrin::testing {

namespace {

// The share of the picture's pixels a drawing has lit.
double LitShare(const Picture& picture) {
    std::size_t lit = 0;
    for (int row = 0; row < picture.Height(); ++row)
        for (int column = 0; column < picture.Width(); ++column) lit += picture.Pixel(column, row) != 0;
    return static_cast<double>(lit) / (static_cast<double>(picture.Width()) * picture.Height());
}

}  // namespace

class WindowExploreTest : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedoStepThroughThePictures() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        const double firstCoefficient = w->document().v.af[1];
        f.RunDrawing([w] { w->DrawClick(5); });
        const double fifthsCoefficient = w->document().v.af[1];
        f.RunDrawing([w] { w->findChild<QAction*>(QStringLiteral("ZoomOut"))->trigger(); });
        QCOMPARE(w->document().v.zoom, 0.005);

        f.RunDrawing([w] { w->document().undo(); });
        QCOMPARE(w->document().v.zoom, 0.01);
        QCOMPARE(w->document().v.formula, 5);
        f.RunDrawing([w] { w->document().undo(); });
        QCOMPARE(w->document().v.formula, 70);
        QCOMPARE(w->document().v.af[1], firstCoefficient);
        QVERIFY(!w->document().canUndo());
        f.RunDrawing([w] { w->document().redo(); });
        QCOMPARE(w->document().v.formula, 5);
        QCOMPARE(w->document().v.af[1], fifthsCoefficient);
        QVERIFY(w->document().canRedo());
    }

    // The search runs beside the drawing; what it finds is framed and drawn.
    void findAttractorDrawsWhatItFinds() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        // The found picture draws inside the event loop: stop it from there
        // once it has had some time.
        int ticksDrawing = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (f.engine.Depth() == 1 && ++ticksDrawing == 30) f.engine.StopCurrent();
        });
        watch.start(10);
        w->document().findAttractor();
        QTRY_VERIFY(ticksDrawing >= 30 && f.engine.Depth() == 0);
        QVERIFY(!w->document().searching());
        QCOMPARE(w->document().v.randomStart, kFalse);
        QVERIFY(w->document().v.zoom != 0.01);
        QVERIFY(LitShare(*w->PGImage1->currentPicture()) >= 0.02);
        QVERIFY(w->document().canUndo());
    }

    // Stopped, a search ends without a word and draws nothing.
    void stopEndsTheSearch() {
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        // With no random range every start is the origin, which settles: nothing
        // passes, and the search would go on for its whole second.
        w->document().v.randomizer = 0;
        w->document().findAttractor();
        w->document().cancelSearch();
        QTRY_VERIFY(!w->document().searching());
        setMessageSink({});
        QVERIFY(messages.isEmpty());
        QCOMPARE(f.engine.Depth(), 0);
    }

    void fitViewFramesTheOrbit() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        w->document().v.zoom = 1e-4;  // the attractor a dot in the middle
        f.RunDrawing([w] { w->document().fitView(); }, 300'000);
        QVERIFY(w->document().v.zoom > 1e-3);
        QVERIFY(LitShare(*w->PGImage1->currentPicture()) >= 0.02);
    }

    // Loading the dialogs comes back into the record half a second later;
    // that is no new picture, a change made in them is.
    void onlyAChangeInTheDialogsIsANewPicture() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.frame.active = w;
        f.SetUp(w);
        w->ApplyParameters();
        w->UpdateCoefficiants();
        QVERIFY(!w->document().canUndo());
        f.form4.RedBar1()->setValue(120);
        w->ApplyParameters();
        QVERIFY(w->document().canUndo());
    }

    // A notch zooms in by 1.25 about the point under the pointer, and a burst
    // of notches is one new drawing.
    void theWheelZoomsAboutThePointer() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        const auto pointAt = [w](int column, int row) {
            return PointAtPixel(w->document().v, ScaleOfPicture(w->document().v, 400, 300), column, row);
        };
        const OrbitPoint before = pointAt(100, 50);
        emit w->PGImage1->picBoxWheel(1, 100, 50);
        emit w->PGImage1->picBoxWheel(1, 100, 50);
        QCOMPARE(w->document().v.zoom, 0.01 * 1.25 * 1.25);
        // The burst's one new drawing, from the wheel timer ticked by hand.
        auto* wheel = w->findChild<OneShotTimer*>(QStringLiteral("WheelTimer"));
        QVERIFY(wheel && wheel->isEnabled());
        f.RunDrawing([wheel] {
            wheel->setEnabled(false);
            emit wheel->tick();
        });
        const OrbitPoint after = pointAt(100, 50);
        QVERIFY(qAbs(after.x - before.x) < 1e-9 && qAbs(after.y - before.y) < 1e-9);
        f.RunDrawing([w] { w->document().undo(); });
        QCOMPARE(w->document().v.zoom, 0.01);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowExploreTest)
#include "window_explore_test.moc"
