#include "view/picture_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <tuple>

#include "imaging/picture.h"
#include "view/view_size.h"

namespace zephyrin {
namespace {

using Mode = PictureView::ActionMode;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// A move with no button held, as the pointer passing over the picture.
void Hover(QWidget* widget, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void LeftDrag(QWidget* widget, QPoint from, QPoint to) {
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
}

QRect SelectionOf(const PictureView& view) {
    return {view.selectionLeft(), view.selectionTop(), view.selectionWidth(), view.selectionHeight()};
}

using MouseState = std::tuple<int, int, int, int>;

MouseState State(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y) {
    return {buttons.toInt(), modifiers.toInt(), x, y};
}

MouseState StateOf(const QList<QVariant>& arguments) {
    return State(arguments[0].value<Qt::MouseButtons>(), arguments[1].value<Qt::KeyboardModifiers>(),
                 arguments[2].toInt(), arguments[3].toInt());
}

void Select(PictureView& view, QRect rect) {
    view.setSelectionWidth(rect.width());
    view.setSelectionHeight(rect.height());
    view.setSelectionLeft(rect.left());
    view.setSelectionTop(rect.top());
    view.setSelection(true);
}

}  // namespace

class PictureViewTest : public QObject {
    Q_OBJECT

private:
    // A shown 600 × 500 view with a 400 × 300 picture: no scroll bars, and
    // box coordinates are picture pixels.
    std::unique_ptr<PictureView> ShownView(Mode mode) {
        auto view = std::make_unique<PictureView>();
        view->resize(600, 500);
        view->setPicture(std::make_unique<Picture>(400, 300));
        view->setActionMode(mode);
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get())) return nullptr;
        return view;
    }

private slots:
    void boxToPixel() {
        PictureView view;
        QCOMPARE(view.boxToPixel(QPoint(10, 10)), QPoint(0, 0));
        view.setPicture(std::make_unique<Picture>(400, 300));
        QCOMPARE(view.boxToPixel(QPoint(399, 299)), QPoint(399, 299));
        QCOMPARE(view.boxToPixel(QPoint(-7, 310)), QPoint(-7, 310));
        // Between an in-place resize and its Changed the box keeps the old size.
        view.currentPicture()->SetSize(133, 100);
        QCOMPARE(view.boxToPixel(QPoint(399, 299)), QPoint(132, 99));
        QCOMPARE(view.boxToPixel(QPoint(7, 5)), QPoint(2, 1));
        view.setPicture(std::make_unique<Picture>(0, 0));
        QCOMPARE(view.boxToPixel(QPoint(10, 10)), QPoint(0, 0));
    }

    void selectionSettersStayInPicture_data() {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<int>("value");
        QTest::addColumn<QRect>("expected");
        // Starting from 100,100 50×40 in a 400 × 300 picture.
        QTest::newRow("left past the right edge") << "left" << 380 << QRect(350, 100, 50, 40);
        QTest::newRow("negative left") << "left" << -5 << QRect(0, 100, 50, 40);
        QTest::newRow("wider than the picture") << "width" << 500 << QRect(0, 100, 400, 40);
        QTest::newRow("widening moves it left") << "width" << 350 << QRect(50, 100, 350, 40);
        QTest::newRow("heightening moves it up") << "height" << 250 << QRect(100, 50, 50, 250);
    }
    void selectionSettersStayInPicture() {
        QFETCH(QString, setter);
        QFETCH(int, value);
        QFETCH(QRect, expected);
        PictureView view;
        view.setPicture(std::make_unique<Picture>(400, 300));
        Select(view, QRect(100, 100, 50, 40));
        if (setter == "left") view.setSelectionLeft(value);
        if (setter == "top") view.setSelectionTop(value);
        if (setter == "width") view.setSelectionWidth(value);
        if (setter == "height") view.setSelectionHeight(value);
        QCOMPARE(SelectionOf(view), expected);
    }

    void hiddenSelectionKeepsValuesAndFollowsPicture() {
        PictureView view;
        view.setPicture(std::make_unique<Picture>(400, 300));
        Select(view, QRect(0, 0, 800, 600));
        view.setSelection(false);
        QVERIFY(!view.hasSelection());
        QCOMPARE(SelectionOf(view), QRect(0, 0, 400, 300));
        view.setSelection(true);
        view.setPicture(std::make_unique<Picture>(200, 150));
        QVERIFY(view.hasSelection());
        QCOMPARE(SelectionOf(view), QRect(0, 0, 200, 150));
        view.setPicture(std::make_unique<Picture>(0, 0));
        QVERIFY(!view.hasSelection());
    }

    void dragEditsSelection_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("expected");
        // The selection starts as 100,100 100×50; a drag from outside replaces it.
        QTest::newRow("new down and right")
            << QPoint(250, 200) << QPoint(350, 220) << QRect(250, 200, 100, 20);
        QTest::newRow("new up and left") << QPoint(350, 220) << QPoint(250, 200) << QRect(250, 200, 100, 20);
        QTest::newRow("new past the bottom right")
            << QPoint(350, 250) << QPoint(500, 400) << QRect(350, 250, 50, 50);
        QTest::newRow("new past the top left") << QPoint(20, 30) << QPoint(-40, -50) << QRect(0, 0, 20, 30);
        QTest::newRow("click outside") << QPoint(50, 50) << QPoint(50, 50) << QRect();
        QTest::newRow("move") << QPoint(150, 125) << QPoint(170, 135) << QRect(120, 110, 100, 50);
        QTest::newRow("move stops at the edge")
            << QPoint(150, 125) << QPoint(450, 125) << QRect(300, 100, 100, 50);
        QTest::newRow("right edge") << QPoint(200, 125) << QPoint(250, 125) << QRect(100, 100, 150, 50);
        QTest::newRow("left edge") << QPoint(101, 125) << QPoint(80, 125) << QRect(79, 100, 121, 50);
        QTest::newRow("bottom right corner")
            << QPoint(200, 150) << QPoint(220, 170) << QRect(100, 100, 120, 70);
        QTest::newRow("top left corner over")
            << QPoint(100, 100) << QPoint(250, 170) << QRect(200, 150, 50, 20);
        QTest::newRow("bottom edge past picture")
            << QPoint(150, 150) << QPoint(150, 900) << QRect(100, 100, 100, 200);
    }
    void dragEditsSelection() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, expected);
        const auto view = ShownView(Mode::MoveResizeCreateSelection);
        QVERIFY(view);
        Select(*view, QRect(100, 100, 100, 50));
        LeftDrag(view->pictureBox(), from, to);
        QCOMPARE(view->hasSelection(), expected.isValid());
        if (expected.isValid()) QCOMPARE(SelectionOf(*view), expected);
    }

    void otherModesLeaveSelectionAlone() {
        const auto view = ShownView(Mode::None);
        QVERIFY(view);
        Select(*view, QRect(100, 100, 100, 50));
        LeftDrag(view->pictureBox(), QPoint(10, 10), QPoint(60, 60));
        LeftDrag(view->pictureBox(), QPoint(150, 125), QPoint(170, 135));
        view->setActionMode(Mode::MoveImage);
        LeftDrag(view->pictureBox(), QPoint(10, 10), QPoint(60, 60));
        QVERIFY(view->hasSelection());
        QCOMPARE(SelectionOf(*view), QRect(100, 100, 100, 50));
    }

    void moveImageDragScrolls() {
        PictureView view;
        view.resize(300, 200);
        view.setPicture(std::make_unique<Picture>(1000, 800));
        view.setActionMode(Mode::MoveImage);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.horizontalScrollBar()->setValue(100);
        view.verticalScrollBar()->setValue(100);
        QWidget* box = view.pictureBox();
        QCOMPARE(box->cursor().shape(), Qt::OpenHandCursor);
        QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(250, 200));
        QCOMPARE(box->cursor().shape(), Qt::ClosedHandCursor);
        QTest::mouseMove(box, QPoint(200, 170));
        QCOMPARE(view.horizontalScrollBar()->value(), 150);
        QCOMPARE(view.verticalScrollBar()->value(), 130);
        QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(200, 170));
        QCOMPARE(box->cursor().shape(), Qt::OpenHandCursor);
        QVERIFY(!view.hasSelection());
    }

    // After a zoom the window sets the mode to None and switches the
    // selection mode back on from its press handler: that press must already
    // start the drag.
    void modeChosenOnPressAppliesToThatDrag() {
        const auto view = ShownView(Mode::None);
        QVERIFY(view);
        connect(view.get(), &PictureView::picBoxMouseDown, view.get(),
                [&view](Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
                    if (PictureView::isPlainLeftButton(buttons, modifiers))
                        view->setActionMode(Mode::MoveResizeCreateSelection);
                });
        LeftDrag(view->pictureBox(), QPoint(50, 50), QPoint(150, 70));
        QVERIFY(view->hasSelection());
        QCOMPARE(SelectionOf(*view), QRect(50, 50, 100, 20));
    }

    void mouseSignalsCarryState() {
        const auto view = ShownView(Mode::None);
        QVERIFY(view);
        QWidget* box = view->pictureBox();
        QSignalSpy down(view.get(), &PictureView::picBoxMouseDown);
        QSignalSpy move(view.get(), &PictureView::picBoxMouseMove);
        QSignalSpy up(view.get(), &PictureView::picBoxMouseUp);
        QSignalSpy viewUp(view.get(), &PictureView::viewMouseUp);
        QSignalSpy doubleClicked(view.get(), &PictureView::picBoxDoubleClicked);
        QTest::mousePress(box, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 20));
        QTest::mouseMove(box, QPoint(30, 40));
        QTest::mouseRelease(box, Qt::LeftButton, Qt::ShiftModifier, QPoint(31, 41));
        Hover(box, QPoint(5, 6));
        QTest::mouseDClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
        QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
        QCOMPARE(down.count(), 1);
        QCOMPARE(StateOf(down[0]), State(Qt::LeftButton, Qt::ControlModifier, 10, 20));
        QCOMPARE(move.count(), 2);
        QCOMPARE(StateOf(move[0]), State(Qt::LeftButton, {}, 30, 40));
        QCOMPARE(StateOf(move[1]), State({}, {}, 5, 6));
        QCOMPARE(up.count(), 2);
        QCOMPARE(StateOf(up[0]), State({}, Qt::ShiftModifier, 31, 41));
        QCOMPARE(doubleClicked.count(), 1);

        // Around the centred picture the view reports its own release, in box
        // coordinates.
        const QPoint corner(3, 4);
        const QPoint boxCorner = box->mapFrom(view->viewport(), corner);
        QVERIFY(boxCorner.x() < 0 && boxCorner.y() < 0);
        QTest::mousePress(view->viewport(), Qt::RightButton, Qt::NoModifier, corner);
        QTest::mouseRelease(view->viewport(), Qt::RightButton, Qt::NoModifier, corner);
        QCOMPARE(up.count(), 2);
        QCOMPARE(viewUp.count(), 1);
        QCOMPARE(StateOf(viewUp[0]), State({}, {}, boxCorner.x(), boxCorner.y()));
    }

    void plainLeftButton() {
        QVERIFY(PictureView::isPlainLeftButton(Qt::LeftButton, Qt::KeypadModifier));
        QVERIFY(!PictureView::isPlainLeftButton(Qt::LeftButton, Qt::ShiftModifier));
        QVERIFY(!PictureView::isPlainLeftButton(Qt::LeftButton, Qt::AltModifier));
        QVERIFY(!PictureView::isPlainLeftButton(Qt::LeftButton | Qt::RightButton, {}));
        QVERIFY(!PictureView::isPlainLeftButton(Qt::NoButton, {}));
    }

    void cursorFollowsModeAndSelection() {
        const auto view = ShownView(Mode::None);
        QVERIFY(view);
        QWidget* box = view->pictureBox();
        view->setPictureCursor(Qt::WaitCursor);
        QCOMPARE(box->cursor().shape(), Qt::WaitCursor);
        view->setPictureCursor(Qt::ArrowCursor);
        QCOMPARE(box->cursor().shape(), Qt::ArrowCursor);
        view->setActionMode(Mode::MoveResizeCreateSelection);
        Select(*view, QRect(100, 100, 100, 50));
        const QList<std::pair<QPoint, Qt::CursorShape>> expected = {
            {{10, 10}, Qt::CrossCursor},       {{150, 125}, Qt::SizeAllCursor},
            {{199, 125}, Qt::SizeHorCursor},   {{150, 98}, Qt::SizeVerCursor},
            {{201, 151}, Qt::SizeFDiagCursor}, {{100, 150}, Qt::SizeBDiagCursor}};
        for (const auto& [point, shape] : expected) {
            Hover(box, point);
            QCOMPARE(box->cursor().shape(), shape);
        }
    }

    void popupOpensOnRightClick() {
        auto menu = std::make_unique<QMenu>();
        menu->addAction("Zoom into Rectangle");
        auto view = std::make_unique<PictureView>();
        view->setPopupMenu(menu.get());
        view->setPicture(std::make_unique<Picture>(100, 50));
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        bool visibleWhenAnnounced = true;
        connect(view.get(), &PictureView::aboutToShowPopup, menu.get(),
                [&] { visibleWhenAnnounced = menu->isVisible(); });
        QSignalSpy announced(view.get(), &PictureView::aboutToShowPopup);
        QWidget* box = view->pictureBox();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &event);
        QCOMPARE(announced.count(), 1);
        QVERIFY(!visibleWhenAnnounced);
        QVERIFY(menu->isVisible());
        menu->close();
        view.reset();
        QCOMPARE(menu->actions().size(), 1);  // still alive: the view never owned it
    }

    void setPictureReleasesOldAndReportsSize() {
        PictureView view;
        QSignalSpy autoSize(&view, &PictureView::newAutoSize);
        auto first = std::make_unique<Picture>(400, 300);
        auto token = std::make_shared<int>();
        const std::weak_ptr<int> firstAlive = token;
        first->AddObserver([token] {});
        token.reset();
        view.setPicture(std::move(first));
        QVERIFY(!firstAlive.expired());
        const int frame = view.frameWidth();
        QCOMPARE(autoSize.count(), 1);
        QCOMPARE(autoSize[0], (QList<QVariant>{400 + 2 * frame, 300 + 2 * frame}));

        view.setAutoSizeLimits(800, 600);
        view.setPicture(std::make_unique<Picture>(1024, 300));
        QVERIFY(firstAlive.expired());
        QCOMPARE(view.currentPicture()->Width(), 1024);
        const int horizontalBar = view.horizontalScrollBar()->sizeHint().height();
        QCOMPARE(autoSize.count(), 2);
        QCOMPARE(autoSize[1], (QList<QVariant>{800, 300 + 2 * frame + horizontalBar}));
    }

    void scrollViewSize_data() {
        QTest::addColumn<QSize>("content");
        QTest::addColumn<QSize>("expected");
        // Frame 2, vertical bar 17 wide, horizontal bar 15 high, limits 800 × 600.
        QTest::newRow("fits") << QSize(400, 300) << QSize(404, 304);
        QTest::newRow("too wide") << QSize(1024, 300) << QSize(800, 319);
        QTest::newRow("too high") << QSize(400, 700) << QSize(421, 600);
        QTest::newRow("vertical bar makes it too wide") << QSize(790, 599) << QSize(800, 600);
        QTest::newRow("horizontal bar makes it too high") << QSize(900, 590) << QSize(800, 600);
        QTest::newRow("horizontal bar still fits") << QSize(900, 580) << QSize(800, 599);
        QTest::newRow("empty") << QSize(0, 0) << QSize(4, 4);
    }
    void scrollViewSize() {
        QFETCH(QSize, content);
        QFETCH(QSize, expected);
        QCOMPARE(scrollViewSizeFor(content, 2, QSize(17, 15), QSize(800, 600)), expected);
    }

    void changedRepaintsFromPictureMemory() {
        PictureView view;
        view.resize(600, 500);
        auto owned = std::make_unique<Picture>(400, 300);
        Picture* picture = owned.get();
        view.setPicture(std::move(owned));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        PaintCounter paints;
        view.pictureBox()->installEventFilter(&paints);
        QCoreApplication::processEvents();
        paints.count = 0;
        picture->SetPixel(7, 3, Picture::Pack(255, 128, 0));
        picture->Changed();
        QTRY_VERIFY(paints.count > 0);
        const QImage shown = view.pictureBox()->grab().toImage();
        QCOMPARE(shown.pixel(7, 3), qRgb(255, 128, 0));
        QCOMPARE(shown.pixel(8, 3), qRgb(0, 0, 0));

        picture->SetSize(500, 100);  // resized in place, announced by Changed
        picture->Changed();
        QCOMPARE(view.pictureBox()->size(), QSize(500, 100));
    }

    void pictureIsCentredOnWorkspace() {
        PictureView view;
        view.resize(400, 300);
        view.setPicture(std::make_unique<Picture>(100, 50));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QSize viewport = view.viewport()->size();
        QCOMPARE(view.pictureBox()->pos(),
                 QPoint((viewport.width() - 100) / 2, (viewport.height() - 50) / 2));
        const QRgb workspace = view.palette().color(QPalette::Dark).rgb();
        QCOMPARE(view.viewport()->grab().toImage().pixel(2, 2), workspace);
        QCOMPARE(view.grab().toImage().pixel(view.viewport()->geometry().center()), qRgb(0, 0, 0));
    }
};

}  // namespace zephyrin

QTEST_MAIN(zephyrin::PictureViewTest)
#include "picture_view_test.moc"
