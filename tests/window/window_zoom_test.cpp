// The mouse read-out, the selection's proportions and zooming into it, with
// the worked examples of a fresh 400 x 300 window.
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "qt_test_main.h"
#include "services/messages.h"
#include "view/picture_view.h"
#include "window_fixture.h"

namespace zephyrin::testing {

namespace {

void Select(PictureView* view, int left, int top, int width, int height) {
    view->setSelection(true);
    view->setSelectionLeft(left);
    view->setSelectionTop(top);
    view->setSelectionWidth(width);
    view->setSelectionHeight(height);
}

// A plain left-button drag ending over the picture.
void Release(TMDIChild* w, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    w->PGImage1PicBoxOnMouseDown(Qt::LeftButton, modifiers, 1, 1);
    w->PGImage1PicBoxOnMouseUp();
}

}  // namespace

class WindowZoomTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        messages.clear();
        setMessageSink([this](const QString& text) { messages << text; });
    }
    void cleanup() { setMessageSink({}); }

    void readOutAtTheTopLeftPixel() {
        WindowFixture f;
        f.SetUp(f.child);
        f.child->PGImage1PicBoxOnMouseMove(Qt::NoButton, Qt::NoModifier, 0, 0);
        QCOMPARE(f.child->statusPanels[0]->text(), QStringLiteral("cx=-233.333333333333"));
        QCOMPARE(f.child->statusPanels[1]->text(), QStringLiteral("cy=-175.000000000000"));
        QCOMPARE(f.child->statusPanels[2]->text(), QStringLiteral("M=0.010000000000"));
    }

    // After a 2:1 reduction a shown pixel covers two of the drawing's: the
    // read-out and the zoom go through the picture that is shown.
    void readOutAndZoomAfterAReduction() {
        WindowFixture f;
        f.SetUp(f.child);
        TMDIChild* w = f.child;
        f.RunDrawing([&] { f.SetSize(w, 800, 600); });
        w->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger();
        w->Timer1Timer();
        w->PGImage1PicBoxOnMouseMove(Qt::NoButton, Qt::NoModifier, 399, 299);
        // Pixel 399 of 400 across x from -233.33 to 233.33.
        QVERIFY(qAbs(w->cursorX - (399 * 466.666666666667 / 400 - 233.333333333333)) < 1e-9);
        Select(w->PGImage1, 0, 0, 200, 150);
        Release(w);
        QCOMPARE(w->document().v.zoomXMin, -700.0 / 3);
        QCOMPARE(w->document().v.zoomXMax, 0.0);
        QCOMPARE(w->document().v.zoomYMax, 0.0);
    }

    void releaseGivesTheSelectionThePicturesProportions() {
        WindowFixture f;
        f.SetUp(f.child);
        PictureView* view = f.child->PGImage1;
        Select(view, 100, 100, 100, 20);  // centre (150, 110), mean side 60
        Release(f.child);
        QCOMPARE(view->selectionWidth(), 69);   // 400 / 350 * 60 = 68.57
        QCOMPARE(view->selectionHeight(), 51);  // 300 / 350 * 60 = 51.43
        QCOMPARE(view->selectionLeft(), 116);   // 150 - 34.29
        QCOMPARE(view->selectionTop(), 84);     // 110 - 25.71
    }

    void zoomIntoTheTopLeftQuarter() {
        WindowFixture f;
        f.SetUp(f.child);
        TMDIChild* w = f.child;
        Select(w->PGImage1, 0, 0, 200, 150);
        Release(w);
        QCOMPARE(w->document().v.zoomXMin, -700.0 / 3);
        QCOMPARE(w->document().v.zoomXMax, 0.0);
        QCOMPARE(w->document().v.zoomYMin, -175.0);
        QCOMPARE(w->document().v.zoomYMax, 0.0);
        QVERIFY(qFuzzyCompare(w->document().v.zoomSelected, 2.0 / 102.083333333333333));

        f.RunDrawing([w] { w->Zoom1Click(); });
        QVERIFY(qFuzzyCompare(w->document().v.xCenter, -116.666666666666667));
        QCOMPARE(w->document().v.yCenter, -87.5);
        QVERIFY(qAbs(w->document().v.plotXMin - -235.763888888889) < 1e-9);
        QVERIFY(qAbs(w->document().v.plotXMax - 2.430555555556) < 1e-9);
        QVERIFY(qAbs(w->document().v.plotYMin - -176.822916666667) < 1e-9);
        QVERIFY(qAbs(w->document().v.plotYMax - 1.822916666667) < 1e-9);
        QVERIFY(!w->PGImage1->hasSelection());
        QCOMPARE(w->PGImage1->actionMode(), PictureView::ActionMode::None);
        w->PGImage1PicBoxOnMouseMove(Qt::NoButton, Qt::NoModifier, 0, 0);
        QCOMPARE(w->statusPanels[2]->text(), QStringLiteral("M=0.019591836735"));
        QVERIFY(messages.isEmpty());
    }

    void zoomWithoutASelectionSaysSoAndKeepsTheDrawing() {
        WindowFixture f;
        f.SetUp(f.child);
        QSignalSpy restarts(f.child->PGImage1, &PictureView::newAutoSize);
        f.child->Zoom1Click();
        f.child->PGImage1PicBoxOnDblClick();
        Select(f.child->PGImage1, 0, 0, 200, 150);
        f.child->ClearRectangle1Click();
        f.child->Zoom1Click();
        QCOMPARE(messages, QStringList(3, QStringLiteral("there is nothing selected")));
        QCOMPARE(restarts.count(), 0);
        QCOMPARE(f.child->document().v.zoom, 0.01);
    }

    void aModifiedDragKeepsTheLastPendingRectangle() {
        WindowFixture f;
        f.SetUp(f.child);
        TMDIChild* w = f.child;
        Select(w->PGImage1, 0, 0, 200, 150);
        Release(w, Qt::ControlModifier);
        // The pending rectangle is still the start view's.
        QCOMPARE(w->document().v.zoomXMin, -1.0);
        QCOMPARE(w->document().v.zoomSelected, 0.01);
        f.RunDrawing([w] { w->Zoom1Click(); });
        QCOMPARE(w->document().v.xCenter, 0.0);
        QCOMPARE(w->document().v.zoom, 0.01);
    }

    void aRectangleWithoutExtentIsNotZoomedInto() {
        WindowFixture f;
        f.SetUp(f.child);
        Select(f.child->PGImage1, 10, 10, 20, 20);
        f.child->document().v.zoomSelected = 0;
        QSignalSpy restarts(f.child->PGImage1, &PictureView::newAutoSize);
        f.child->Zoom1Click();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("no extent")));
        QCOMPARE(restarts.count(), 0);
        QCOMPARE(f.child->document().v.zoom, 0.01);
    }

private:
    QStringList messages;
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowZoomTest)
#include "window_zoom_test.moc"
