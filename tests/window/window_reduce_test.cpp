// Anti-aliasing through the window's timer, and the clipboard copy.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>

#include "imaging/picture.h"
#include "qt_test_main.h"
#include "services/messages.h"
#include "view/picture_view.h"
#include "window_fixture.h"

namespace zephyrin::testing {

namespace {

QSize ShownSize(TMDIChild* w) {
    const Picture* shown = w->PGImage1->currentPicture();
    return QSize(shown->Width(), shown->Height());
}

// Sets the window to width x height and lets one short drawing run.
void Resize(WindowFixture& f, TMDIChild* w, int width, int height) {
    f.RunDrawing([&] { f.SetSize(w, width, height); });
}

}  // namespace

class WindowReduceTest : public QObject {
    Q_OBJECT

private slots:
    void halvesThePictureWithinATimerPeriod() {
        WindowFixture f;
        f.SetUp(f.child);
        Resize(f, f.child, 800, 600);
        f.child->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger();
        QCOMPARE(modeWord(), QStringLiteral("REDUCE211"));
        QCOMPARE(f.child->PGImage1->actionMode(), PictureView::ActionMode::None);
        QTRY_COMPARE_WITH_TIMEOUT(ShownSize(f.child), QSize(400, 300), 600);
        QCOMPARE(f.child->PGImage1->actionMode(), PictureView::ActionMode::MoveImage);
        QCOMPARE(f.child->document().picture, f.child->PGImage1->currentPicture());
        QCOMPARE(f.child->document().v.listWidth, 800);  // the record still describes the large drawing
        f.child->Timer1Timer();                          // the request was used up
        QCOMPARE(ShownSize(f.child), QSize(400, 300));

        f.child->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(ShownSize(f.child), QSize(200, 150), 600);

        // The next drawing is at the full size again.
        f.RunDrawing([&] { f.child->DrawClick(70); });
        QCOMPARE(ShownSize(f.child), QSize(800, 600));
    }

    void otherFactors_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QSize>("reduced");
        QTest::newRow("3:1") << "AntiAlias311" << QSize(133, 100);
        QTest::newRow("4:1") << "AntiAlias411" << QSize(100, 75);
    }
    void otherFactors() {
        QFETCH(QString, item);
        QFETCH(QSize, reduced);
        WindowFixture f;
        f.SetUp(f.child);
        Resize(f, f.child, 401, 301);
        f.child->findChild<QAction*>(item)->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(ShownSize(f.child), reduced, 600);
    }

    void aRequestDuringTheFirstDrawingReducesOnceAndEndsIt() {
        WindowFixture f;
        TMDIChild* w = f.child;
        setModeWord(kModeNew);
        // Through the window's own first tick, as at start-up.
        QTimer::singleShot(100, [w] { w->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger(); });
        QTimer::singleShot(3000, [&] { f.engine.StopCurrent(); });  // only if the reduction did not end it
        w->Timer1Timer();
        QCOMPARE(ShownSize(w), QSize(200, 150));
        QCOMPARE(w->document().v.stop, kTrue);
        w->Timer1Timer();  // the request was used up
        QCOMPARE(ShownSize(w), QSize(200, 150));
        QCOMPARE(f.engine.Depth(), 0);
    }

    void anotherWindowsTimerLeavesThisPictureAlone() {
        WindowFixture f;
        f.SetUp(f.child);
        TMDIChild* other = f.NewWindow();
        f.SetUp(other);
        f.child->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger();
        f.child->Timer1->setEnabled(false);
        other->Timer1Timer();
        QCOMPARE(ShownSize(other), QSize(400, 300));
        QCOMPARE(ShownSize(f.child), QSize(400, 300));
        f.child->Timer1Timer();
        QCOMPARE(ShownSize(f.child), QSize(200, 150));
    }

    void copyPutsTheShownPictureOnTheClipboard() {
        WindowFixture f;
        f.SetUp(f.child, 200'000);
        Picture* shown = f.child->PGImage1->currentPicture();
        shown->SetPixel(0, 0, Picture::Pack(10, 20, 30));
        shown->SetPixel(399, 299, Picture::Pack(200, 100, 50));
        f.child->findChild<QAction*>(QStringLiteral("Copy1"))->trigger();
        const QImage copied = QApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(400, 300));
        QCOMPARE(copied.pixel(0, 0), qRgb(10, 20, 30));
        QCOMPARE(copied.pixel(399, 299), qRgb(200, 100, 50));
        QVERIFY(!f.child->PGImage1->hasSelection());

        f.child->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger();
        f.child->Timer1Timer();
        f.child->Copy1Click();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(200, 150));
    }

    void copyOfAnEmptyPictureSaysSo() {
        WindowFixture f;
        f.SetUp(f.child);
        Resize(f, f.child, 1, 1);
        f.child->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger();
        f.child->Timer1Timer();
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        f.child->Copy1Click();
        setMessageSink({});
        QCOMPARE(messages, QStringList{QStringLiteral("There is nothing to copy: the picture is empty.")});
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowReduceTest)
#include "window_reduce_test.moc"
