// The picture size: the size items, Custom Size, the XY size dialog's Apply
// on the active window, the view kept across a size change, the window
// fitted to a new picture.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "dialogs/spin_edit.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "imaging/picture.h"
#include "qt_test_main.h"
#include "services/messages.h"
#include "size_checks.h"
#include "view/picture_view.h"
#include "window_fixture.h"

namespace zephyrin::testing {

class WindowSizeTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        messages.clear();
        setMessageSink([this](const QString& text) { messages << text; });
    }
    void cleanup() { setMessageSink({}); }

    void sizeItemsRedrawAtTheirSize_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("120 by 90") << "N120by901" << 120 << 90;
        QTest::newRow("160 by 120") << "N160by1201" << 160 << 120;
        QTest::newRow("320 by 240") << "N320by2401" << 320 << 240;
        QTest::newRow("400 by 300") << "N400by3001" << 400 << 300;
        QTest::newRow("640 by 480") << "N640by4801" << 640 << 480;
        QTest::newRow("800 by 600") << "N800by6001" << 800 << 600;
        QTest::newRow("1024 by 768 is 758 high") << "N1024by7681" << 1024 << 758;
    }
    void sizeItemsRedrawAtTheirSize() {
        QFETCH(QString, item);
        QFETCH(int, width);
        QFETCH(int, height);
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        const Coefficients af = w->document().v.af;
        QSignalSpy newPicture(w->PGImage1, &PictureView::newAutoSize);
        f.RunDrawing([&] { w->findChild<QAction*>(item)->trigger(); });
        QCOMPARE(newPicture.count(), 1);
        QCOMPARE(PictureSize(w), QSize(width, height));
        QCOMPARE(w->document().v.width, width);
        QCOMPARE(w->document().v.height, height);
        QCOMPARE(w->document().v.listWidth, width);
        QCOMPARE(w->document().v.listHeight, height);
        const std::size_t side = std::max(width, height);
        QCOMPARE(w->document().hitList.size(), side * side);
        QCOMPARE(f.xySize.RxWidth()->textValue(), double(width));
        QCOMPARE(f.xySize.RxHeight()->textValue(), double(height));
        QVERIFY(w->document().v.af == af);  // same parameters, no random start
        QCOMPARE(w->document().v.randomStart, kFalse);
        QVERIFY(messages.isEmpty());

        f.xySize.RxWidth()->setValue(1);
        f.xySize.RxHeight()->setValue(1);
        w->findChild<QAction*>(QStringLiteral("CustomSize1"))->trigger();
        QVERIFY(f.xySize.isVisible());
        QCOMPARE(f.xySize.RxWidth()->text(), QString::number(width));
        QCOMPARE(f.xySize.RxHeight()->text(), QString::number(height));
    }

    void customSizeTwiceShowsThenHidesAndChangesNothing() {
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        QSignalSpy newPicture(w->PGImage1, &PictureView::newAutoSize);
        w->CustomSize1Click();
        QVERIFY(f.xySize.isVisible());
        QCOMPARE(f.xySize.RxWidth()->textValue(), 400.0);
        QCOMPARE(f.xySize.RxHeight()->textValue(), 300.0);
        f.xySize.RxWidth()->setValue(123);
        f.xySize.RxHeight()->setValue(45);
        w->CustomSize1Click();
        QVERIFY(!f.xySize.isVisible());
        QCOMPARE(f.xySize.RxWidth()->textValue(), 123.0);
        QCOMPARE(f.xySize.RxHeight()->textValue(), 45.0);
        QCOMPARE(newPicture.count(), 0);
        QCOMPARE(PictureSize(w), QSize(400, 300));
        QCOMPARE(w->document().v.width, 400);
        QCOMPARE(f.engine.Depth(), 0);
    }

    // Centre (10, -5) at zoom 0.04: half span 50, times the mean of 1 and
    // the side ratio.
    void aSizeChangeKeepsCentreAndMagnification_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("xFactor");
        QTest::addColumn<double>("yFactor");
        QTest::newRow("640 by 480") << "N640by4801" << 640 << 480 << 7.0 / 6 << 7.0 / 8;
        QTest::newRow("120 by 90") << "N120by901" << 120 << 90 << 7.0 / 6 << 7.0 / 8;
        QTest::newRow("1024 by 758") << "N1024by7681" << 1024 << 758 << 1782.0 / 1516 << 1782.0 / 2048;
        QTest::newRow("custom 300 by 300") << "" << 300 << 300 << 1.0 << 1.0;
        QTest::newRow("custom 100 by 400") << "" << 100 << 400 << 0.625 << 2.5;
    }
    void aSizeChangeKeepsCentreAndMagnification() {
        QFETCH(QString, item);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, xFactor);
        QFETCH(double, yFactor);
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        w->document().v.xCenter = 10;
        w->document().v.yCenter = -5;
        w->document().v.zoom = 0.04;
        f.RunDrawing([&] {
            if (!item.isEmpty()) return w->findChild<QAction*>(item)->trigger();
            f.xySize.RxWidth()->setValue(width);
            f.xySize.RxHeight()->setValue(height);
            w->Resolution();
        });
        QCOMPARE(PictureSize(w), QSize(width, height));
        QCOMPARE(w->document().v.xCenter, 10.0);
        QCOMPARE(w->document().v.yCenter, -5.0);
        QCOMPARE(w->document().v.zoom, 0.04);
        const double tolerance = 1e-9;
        QVERIFY(qAbs(w->document().v.plotXMin - (10 - 50 * xFactor)) < tolerance);
        QVERIFY(qAbs(w->document().v.plotXMax - (10 + 50 * xFactor)) < tolerance);
        QVERIFY(qAbs(w->document().v.plotYMin - (-5 - 50 * yFactor)) < tolerance);
        QVERIFY(qAbs(w->document().v.plotYMax - (-5 + 50 * yFactor)) < tolerance);
        w->PGImage1PicBoxOnMouseMove(Qt::NoButton, Qt::NoModifier, 0, 0);
        QCOMPARE(w->statusPanels[2]->text(), QStringLiteral("M=0.040000000000"));
    }

    // A smaller picture gives the larger hit list's memory back.
    void aSmallerSizeReleasesTheHitList() {
        WindowFixture f;
        f.SetUp(f.child);
        TMDIChild* w = f.child;
        f.RunDrawing([&] { f.SetSize(w, 2000, 1000); });
        f.RunDrawing([&] { f.SetSize(w, 400, 300); });
        QCOMPARE(w->document().hitList.capacity(), std::size_t{160000});
    }

    void aNewPictureSizeFitsTheWindow_data() {
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QSize>("needed");
        QTest::addColumn<QSize>("client");
        QTest::newRow("too large for the frame") << QSize(800, 600) << QSize(1024, 758) << QSize(750, 530);
        QTest::newRow("small in a larger frame") << QSize(1200, 900) << QSize(120, 90) << QSize(140, 130);
        QTest::newRow("as wide as the frame") << QSize(800, 600) << QSize(800, 90) << QSize(750, 130);
        QTest::newRow("as high as the frame") << QSize(800, 600) << QSize(120, 600) << QSize(140, 530);
        QTest::newRow("just inside") << QSize(800, 600) << QSize(799, 599) << QSize(819, 639);
    }
    void aNewPictureSizeFitsTheWindow() {
        QFETCH(QSize, frame);
        QFETCH(QSize, needed);
        QFETCH(QSize, client);
        WindowFixture f;
        f.area.show();  // a hidden window lays out its client only when shown
        f.frame.clientSize = frame;
        f.child->PGImage1NewAutoSize(needed.width(), needed.height());
        // Never narrower or lower than the title bar and status bar need.
        const QSize smallest = f.child->minimumSize() - (f.child->size() - f.child->widget()->size());
        QCOMPARE(f.child->widget()->size(), client.expandedTo(smallest));
    }

    // In a narrow window the status panels shrink side by side instead of
    // spilling over each other, and the window cannot be made narrower than
    // its title bar and the panels need.
    void aSmallPictureKeepsTheStatusPanelsReadable() {
        WindowFixture f;
        f.area.show();
        TMDIChild* w = f.child;
        f.SetUp(w);
        f.RunDrawing([&] { w->findChild<QAction*>(QStringLiteral("N120by901"))->trigger(); });
        w->PGImage1PicBoxOnMouseMove(Qt::NoButton, Qt::NoModifier, 0, 0);
        QCoreApplication::processEvents();
        const QRect bar = w->StatusBar1->rect();
        for (int i = 0; i < 3; ++i) {
            const QRect panel = w->statusPanels[i]->geometry();
            QVERIFY2(bar.contains(panel), qPrintable(QStringLiteral("panel %1").arg(i)));
            QVERIFY(panel.width() >= w->statusPanels[i]->minimumSizeHint().width());
            if (i > 0) QVERIFY(panel.left() > w->statusPanels[i - 1]->geometry().right());
        }
        w->resize(30, 30);
        QVERIFY(w->width() >= w->minimumSizeHint().width());
        QVERIFY(w->height() >= w->minimumSizeHint().height());
    }

    void theViewsReportFitsTheWindowToANewPicture() {
        WindowFixture f;
        f.area.show();
        TMDIChild* w = f.child;
        f.SetUp(w);
        QSignalSpy newPicture(w->PGImage1, &PictureView::newAutoSize);
        f.RunDrawing([&] { w->findChild<QAction*>(QStringLiteral("N160by1201"))->trigger(); });
        QCOMPARE(newPicture.count(), 1);
        const int needWidth = newPicture.first().at(0).toInt(), needHeight = newPicture.first().at(1).toInt();
        QVERIFY(needWidth >= 160 && needHeight >= 120);
        const QSize smallest = w->minimumSize() - (w->size() - w->widget()->size());
        QCOMPARE(w->widget()->size(), QSize(needWidth + 20, needHeight + 40).expandedTo(smallest));
    }

    void aMaximisedOrMinimisedWindowKeepsItsSize_data() {
        QTest::addColumn<bool>("maximised");
        QTest::newRow("maximised") << true;
        QTest::newRow("minimised") << false;
    }
    void aMaximisedOrMinimisedWindowKeepsItsSize() {
        QFETCH(bool, maximised);
        WindowFixture f;
        f.area.show();
        f.SetUp(f.child);
        maximised ? f.child->showMaximized() : f.child->showMinimized();
        const QSize before = f.child->size();
        f.RunDrawing([&] { f.child->findChild<QAction*>(QStringLiteral("N120by901"))->trigger(); });
        QCOMPARE(PictureSize(f.child), QSize(120, 90));
        QCOMPARE(f.child->size(), before);
        QCOMPARE(f.child->isMaximized(), maximised);
    }

    void applyResizesTheActiveWindow() {
        Program program;
        program.MainForm->show();
        QTRY_COMPARE(program.MainForm->attractorWindows().size(), 1);
        TMDIChild* P = program.MainForm->activeChild();
        P->Timer1->setEnabled(false);
        auto setUp = [&](TMDIChild* w) {
            setModeWord(kModeNew);
            QTimer::singleShot(50, [&] { program.engine.StopCurrent(); });
            w->FormPaint();
        };
        setUp(P);
        program.MainForm->FileNewItemClick();
        TMDIChild* Q = program.MainForm->activeChild();
        Q->Timer1->setEnabled(false);
        setUp(Q);
        QVERIFY(P != Q);

        program.MainForm->mdiArea()->setActiveSubWindow(P);
        P->CustomSize1Click();
        QCOMPARE(program.XYSize->RxWidth()->textValue(), 400.0);
        program.XYSize->RxWidth()->setValue(200);
        program.XYSize->RxHeight()->setValue(100);
        program.MainForm->mdiArea()->setActiveSubWindow(Q);
        QCOMPARE(program.MainForm->activeChild(), Q);
        QTimer::singleShot(50, [&] { program.engine.StopCurrent(); });
        program.XYSize->CoolBtn1()->click();
        QCOMPARE(PictureSize(Q), QSize(200, 100));
        QCOMPARE(Q->document().v.listWidth, 200);
        QCOMPARE(PictureSize(P), QSize(400, 300));
        QCOMPARE(P->document().v.listWidth, 400);

        program.XYSize->RxWidth()->setValue(0);
        RunawayGuard guard(program.engine);
        program.XYSize->CoolBtn1()->click();
        QVERIFY(!guard.started);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(QStringLiteral("0 by 100")), qPrintable(messages.first()));
        QCOMPARE(PictureSize(Q), QSize(200, 100));
    }

private:
    QStringList messages;
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowSizeTest)
#include "window_size_test.moc"
