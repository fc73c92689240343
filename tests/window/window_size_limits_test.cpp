// Picture sizes that cannot be drawn: refused with a message naming them,
// and an allocation that fails reported, the picture left as it was.
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "dialogs/spin_edit.h"
#include "qt_test_main.h"
#include "services/messages.h"
#include "size_checks.h"
#include "window_fixture.h"

namespace zephyrin::testing {

namespace {

// Caps the address space at what is in use now plus `headroom` bytes, for
// the lifetime of the object.
class AddressSpaceCap {
public:
    explicit AddressSpaceCap(std::uint64_t headroom) {
        getrlimit(RLIMIT_AS, &saved_);
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly)) return;
        const std::uint64_t pages = statm.readAll().split(' ').value(0).toULongLong();
        rlimit capped = saved_;
        capped.rlim_cur = pages * static_cast<std::uint64_t>(sysconf(_SC_PAGE_SIZE)) + headroom;
        active = setrlimit(RLIMIT_AS, &capped) == 0;
    }
    ~AddressSpaceCap() { setrlimit(RLIMIT_AS, &saved_); }
    bool active = false;

private:
    rlimit saved_{};
};

constexpr std::uint64_t kMiB = 1024 * 1024;

}  // namespace

class WindowSizeLimitsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        messages.clear();
        setMessageSink([this](const QString& text) { messages << text; });
    }
    void cleanup() { setMessageSink({}); }

    void refusedSizes_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("named");
        QTest::newRow("no width") << "0"
                                  << "300"
                                  << "0 by 300";
        QTest::newRow("no height") << "400"
                                   << "0"
                                   << "400 by 0";
        QTest::newRow("negative width") << "-5"
                                        << "300"
                                        << "-5 by 300";
        QTest::newRow("negative height") << "400"
                                         << "-1"
                                         << "400 by -1";
        QTest::newRow("cleared width") << ""
                                       << "300"
                                       << "0 by 300";
        QTest::newRow("a million square") << "1000000"
                                          << "1000000"
                                          << "1000000 by 1000000";
        QTest::newRow("two million wide") << "2000000"
                                          << "1"
                                          << "2000000 by 1";
    }
    void refusedSizes() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, named);
        WindowFixture f;
        f.area.show();
        TMDIChild* w = f.child;
        f.SetUp(w);
        const Picture* picture = w->PGImage1->currentPicture();
        const QSize client = w->widget()->size();
        QSignalSpy newPicture(w->PGImage1, &PictureView::newAutoSize);
        f.xySize.RxWidth()->findChild<QLineEdit*>()->setText(width);
        f.xySize.RxHeight()->findChild<QLineEdit*>()->setText(height);
        RunawayGuard guard(f.engine);
        w->Resolution();
        QVERIFY(!guard.started);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(named), qPrintable(messages.first()));
        QCOMPARE(newPicture.count(), 0);
        QCOMPARE(w->PGImage1->currentPicture(), picture);
        QCOMPARE(PictureSize(w), QSize(400, 300));
        QCOMPARE(w->document().v.width, 400);
        QCOMPARE(w->document().v.height, 300);
        QCOMPARE(w->document().v.listWidth, 400);
        QCOMPARE(w->document().v.listHeight, 300);
        QCOMPARE(w->document().hitList.size(), std::size_t{160000});
        QCOMPARE(w->widget()->size(), client);
    }

    // The hit list of 10000 x 10000 needs 400 MB and the picture of
    // 10000 x 5000 another 200 MB: a cap lets only the first, or neither.
    void anAllocationFailureIsReported_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("headroomMiB");
        QTest::addColumn<bool>("sizeKept");
        QTest::newRow("hit list") << 10000 << 200 << true;
        QTest::newRow("picture") << 5000 << 500 << false;
    }
    void anAllocationFailureIsReported() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer reserves more address space than any cap allows");
#endif
        QFETCH(int, height);
        QFETCH(int, headroomMiB);
        QFETCH(bool, sizeKept);
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        f.xySize.RxWidth()->setValue(10000);
        f.xySize.RxHeight()->setValue(height);
        RunawayGuard guard(f.engine);
        {
            AddressSpaceCap cap(headroomMiB * kMiB);
            QVERIFY(cap.active);
            w->Resolution();
        }
        QVERIFY(!guard.started);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(QStringLiteral("10000 by %1").arg(height)),
                 qPrintable(messages.first()));
        QCOMPARE(f.engine.Depth(), 0);
        if (sizeKept) {
            QCOMPARE(w->document().v.listWidth, 400);
            QCOMPARE(w->document().v.listHeight, 300);
            QCOMPARE(w->document().hitList.size(), std::size_t{160000});
        } else {
            QCOMPARE(w->document().v.listWidth, 10000);  // the hit list was made; the picture failed
        }
        const std::size_t side = std::max(w->document().v.listWidth, w->document().v.listHeight);
        QCOMPARE(w->document().hitList.size(), side * side);  // the engine must never index past it
        // The window goes on working.
        f.RunDrawing([&] { w->findChild<QAction*>(QStringLiteral("N160by1201"))->trigger(); });
        QCOMPARE(PictureSize(w), QSize(160, 120));
        QCOMPARE(messages.size(), 1);
    }

    // The XY size dialog's Apply goes through the frame to whichever window
    // is active then, not to the one whose size it was shown with.

private:
    QStringList messages;
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowSizeLimitsTest)
#include "window_size_limits_test.moc"
