// Going back and forward through a window's pictures, and the wheel zoom.
#include <QSlider>
#include <QTest>

#include "engine/zoom.h"
#include "qt_test_main.h"
#include "window_fixture.h"

namespace zephyrin::testing {

class WindowExploreTest : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedoStepThroughThePictures() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        const double firstCoefficient = w->v.af[1];
        f.RunDrawing([w] { w->DrawClick(5); });
        const double fifthsCoefficient = w->v.af[1];
        f.RunDrawing([w] { w->zoomOut(); });
        QCOMPARE(w->v.zoom, 0.005);

        f.RunDrawing([w] { w->undo(); });
        QCOMPARE(w->v.zoom, 0.01);
        QCOMPARE(w->v.formula, 5);
        f.RunDrawing([w] { w->undo(); });
        QCOMPARE(w->v.formula, 70);
        QCOMPARE(w->v.af[1], firstCoefficient);
        QVERIFY(!w->canUndo());
        f.RunDrawing([w] { w->redo(); });
        QCOMPARE(w->v.formula, 5);
        QCOMPARE(w->v.af[1], fifthsCoefficient);
        QVERIFY(w->canRedo());
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
        QVERIFY(!w->canUndo());
        f.form4.RedBar1()->setValue(120);
        w->ApplyParameters();
        QVERIFY(w->canUndo());
    }

    // A notch zooms in by 1.25 about the point under the pointer, and a burst
    // of notches is one new drawing.
    void theWheelZoomsAboutThePointer() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        const auto pointAt = [w](int column, int row) {
            return PointAtPixel(w->v, ScaleOfPicture(w->v, 400, 300), column, row);
        };
        const OrbitPoint before = pointAt(100, 50);
        w->wheelZoom(1, 100, 50);
        w->wheelZoom(1, 100, 50);
        QCOMPARE(w->v.zoom, 0.01 * 1.25 * 1.25);
        f.RunDrawing([w] { w->UpdateGrafX(); });
        const OrbitPoint after = pointAt(100, 50);
        QVERIFY(qAbs(after.x - before.x) < 1e-9 && qAbs(after.y - before.y) < 1e-9);
        f.RunDrawing([w] { w->undo(); });
        QCOMPARE(w->v.zoom, 0.01);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowExploreTest)
#include "window_explore_test.moc"
