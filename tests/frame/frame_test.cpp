// The program as a whole: start-up, the deferred restarts of the tool bar,
// drawings in two windows, closing windows and closing the frame.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "frame/main_form.h"
#include "frame/program.h"
#include "imaging/picture.h"
#include "program_fixture.h"
#include "qt_test_main.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void startUpOpensNoname1AndDrawsWithoutAnyAction() {
        Program program;
        program.MainForm->show();
        QString earlyCaption;
        bool checked = false;
        When([&] { return program.MainForm->activeChild() != nullptr; },
             [&] { earlyCaption = program.MainForm->activeChild()->windowTitle(); });
        When([&] { return program.engine.Depth() == 1; },
             [&] {
                 TMDIChild* child = program.MainForm->activeChild();
                 QCOMPARE(program.MainForm->attractorWindows().size(), 1);
                 QCOMPARE(child->pictureName, QStringLiteral("zephyrin    "));
                 QCOMPARE(modeWord(), QStringLiteral("zephyrin "));
                 QVERIFY(child->findChild<QAction*>(QStringLiteral("Draw70"))->isChecked());
                 QCOMPARE(program.engine.Depth(), 1);
                 QCOMPARE(child->PGImage1->currentPicture()->Width(), 400);
                 checked = true;
                 program.MainForm->StopButtonClick();
             });
        QTRY_VERIFY_WITH_TIMEOUT(checked, 30000);
        QCOMPARE(earlyCaption, QStringLiteral("NONAME1"));
        QCOMPARE(program.engine.Depth(), 0);
    }

    void applyTwiceWithinOnePeriodRestartsOnce() {
        Program program;
        program.MainForm->show();
        int restarts = -1, depth = 0;
        OneShotTimer* frameTimer = program.MainForm->Timer1();
        When([&] { return program.engine.Depth() == 1; },
             [&] {
                 TMDIChild* child = program.MainForm->activeChild();
                 auto* spy = new QSignalSpy(child->PGImage1, &PictureView::newAutoSize);
                 program.MainForm->ApplyButtonClick();
                 program.MainForm->ApplyButtonClick();
                 // The restart runs, and no other is pending.
                 When([&] { return program.engine.Depth() == 2 && !frameTimer->isEnabled(); },
                      [&, spy, child] {
                          restarts = spy->count();
                          depth = program.engine.Depth();
                          QCOMPARE(child->document().v.randomStart, kFalse);
                          delete spy;
                          program.MainForm->StopButtonClick();
                      });
             });
        QTRY_VERIFY_WITH_TIMEOUT(restarts >= 0, 30000);
        QCOMPARE(restarts, 1);
        QCOMPARE(depth, 2);
    }

    void applyDuringADrawingThatApplyStartedRestartsAtOnce() {
        Program program;
        program.MainForm->show();
        int depth = 0;
        OneShotTimer* frameTimer = program.MainForm->Timer1();
        When([&] { return program.engine.Depth() == 1; },
             [&] {
                 program.MainForm->ApplyButtonClick();  // its drawing runs inside the frame's timer tick
                 When([&] { return program.engine.Depth() == 2 && !frameTimer->isEnabled(); },
                      [&] {
                          program.MainForm->ApplyButtonClick();
                          // Once the tick has come, its drawing is the one running.
                          When([&] { return !frameTimer->isEnabled(); },
                               [&] {
                                   depth = program.engine.Depth();
                                   program.MainForm->StopButtonClick();
                               });
                      });
             });
        QTRY_VERIFY_WITH_TIMEOUT(depth > 0, 30000);
        QCOMPARE(depth, 3);
    }

    void aDrawingInASecondWindowNestsAndStopEndsBoth() {
        Program program;
        program.MainForm->show();
        int depth = 0;
        std::int32_t firstIterations = -1, firstIterationsLater = -2;
        const auto iterationsOf = [&](int window) {
            return program.MainForm->attractorWindows()[window]->document().v.iterations;
        };
        When([&] { return program.engine.Depth() == 1; },
             [&] {
                 program.MainForm->FileNewItemClick();
                 When([&] { return program.engine.Depth() == 2; },
                      [&] {
                          depth = program.engine.Depth();
                          firstIterations = iterationsOf(0);
                          const std::int32_t secondIterations = iterationsOf(1);
                          // The busy caption comes with the live refresh, the second window's drawing well
                          // on.
                          When(
                              [&, secondIterations] {
                                  return iterationsOf(1) - secondIterations > 10000 &&
                                         program.MainForm->activeChild()->windowTitle().startsWith(
                                             QStringLiteral("Busy"));
                              },
                              [&] {
                                  firstIterationsLater = iterationsOf(0);
                                  program.MainForm->StopButtonClick();
                              });
                      });
             });
        QTRY_VERIFY_WITH_TIMEOUT(depth > 0, 30000);
        QCOMPARE(depth, 2);
        QCOMPARE(firstIterationsLater, firstIterations);  // the suspended drawing does not advance
        QTRY_COMPARE(program.engine.Depth(), 0);
        for (TMDIChild* child : program.MainForm->attractorWindows())
            QCOMPARE(child->windowTitle(), QStringLiteral("zephyrin    "));
    }

    void closedWindowsAreMinimisedAndNamesKeepCounting() {
        Program program;
        program.MainForm->show();
        QTRY_COMPARE(program.MainForm->attractorWindows().size(), 1);
        program.MainForm->activeChild()->Timer1->setEnabled(false);
        program.MainForm->FileNewItemClick();
        program.MainForm->activeChild()->Timer1->setEnabled(false);
        program.MainForm->FileCloseItemClick();
        program.MainForm->mdiArea()->setActiveSubWindow(program.MainForm->attractorWindows()[0]);
        program.MainForm->FileCloseItemClick();
        for (TMDIChild* child : program.MainForm->attractorWindows()) {
            QVERIFY(child->isMinimized());
            QCOMPARE(child->document().v.stop, kTrue);
        }
        program.MainForm->FileNewItemClick();
        program.MainForm->activeChild()->Timer1->setEnabled(false);
        QCOMPARE(program.MainForm->attractorWindows().size(), 3);
        QCOMPARE(program.MainForm->activeChild()->windowTitle(), QStringLiteral("NONAME3"));
    }

    void withoutWindowsTheCommandsDoNothing() {
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        for (const char* name : {"FileCloseItem", "WindowCascadeItem", "WindowTileItem", "WindowArrangeItem",
                                 "WindowMinimizeItem"})
            QVERIFY(!program.MainForm->findChild<QAction*>(QString::fromLatin1(name))->isEnabled());
        QVERIFY(program.MainForm->findChild<QAction*>(QStringLiteral("FileNewItem"))->isEnabled());
        program.MainForm->ApplyButtonClick();
        program.MainForm->ResetButtonClick();
        program.MainForm->DrawRandomClick();
        program.MainForm->StopButtonClick();
        QVERIFY(!program.MainForm->Timer1()->isEnabled());
        QCOMPARE(program.MainForm->attractorWindows().size(), 0);
    }

    void fileMenuItemsInOrder() {
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        const QMenu* file = program.MainForm->findChild<QMenu*>(QStringLiteral("File1"));
        QStringList names, captions, hints;
        for (const QAction* item : file->actions()) {
            names << item->objectName();
            captions << item->text();
            hints << item->statusTip();
        }
        QCOMPARE(names, (QStringList{"FileNewItem", "FileOpenItem", "FileCloseItem", "FileSaveAsItem",
                                     "SaveCounts1", "Loadfromparameterfile1", "N1", "FileExitItem"}));
        QCOMPARE(captions, (QStringList{"&New", "&Open", "&Close", "Save &As...", "Save Co&unts...",
                                        "Load from parameter file", "", "E&xit"}));
        QCOMPARE(hints[1], QStringLiteral("Open an existing file"));
        QCOMPARE(hints[3], QStringLiteral("Save current file as..."));
        QVERIFY(!program.MainForm->findChild<QAction*>(QStringLiteral("FileSaveAsItem"))->isEnabled());
        QVERIFY(!program.MainForm->findChild<QAction*>(QStringLiteral("SaveCounts1"))->isEnabled());
        QVERIFY(program.MainForm->findChild<QAction*>(QStringLiteral("Loadfromparameterfile1"))->isEnabled());
        const QStringList windowItems{"WindowCascadeItem", "WindowTileItem", "WindowArrangeItem",
                                      "WindowMinimizeItem"};
        const QMenu* window = program.MainForm->findChild<QMenu*>(QStringLiteral("Window1"));
        for (int i = 0; i < windowItems.size(); ++i)
            QCOMPARE(window->actions()[i]->objectName(), windowItems[i]);
        program.MainForm->FileNewItemClick();
        program.MainForm->activeChild()->Timer1->setEnabled(false);
        QVERIFY(program.MainForm->findChild<QAction*>(QStringLiteral("FileSaveAsItem"))->isEnabled());
    }

    void toolBarButtonsAndHints() {
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        // The five buttons of the design, then Find Attractor.
        const QStringList names{"ParmatersButton", "StopButton",  "ResetButton",
                                "DrawRandom",      "ApplyButton", "FindAttractorButton"};
        const QStringList hints{"Parameters",         "Stop",          "Reset", "Draw Random",
                                "Apply (Start over)", "Find Attractor"};
        const QList<QAction*> actions = program.MainForm->toolBar()->actions();
        QCOMPARE(actions.size(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(actions[i]->objectName(), names[i]);
            QCOMPARE(actions[i]->toolTip(), hints[i]);
            QWidget* button = program.MainForm->toolBar()->widgetForAction(actions[i]);
            QCOMPARE(button->size(), QSize(40, 40));
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        }
        QCOMPARE(program.MainForm->toolBarArea(program.MainForm->toolBar()), Qt::RightToolBarArea);
        QCOMPARE(program.MainForm->findChild<QAction*>(QStringLiteral("FileNewItem"))->statusTip(),
                 QStringLiteral("Create a new file"));
    }

    // Ctrl+F in a new window, then Ctrl+C: an attractor on the clipboard.
    void findAttractorFromTheKeyboardThenCopy() {
        Program program;
        // The first window only once the frame is active, so that no drawing
        // runs inside the wait for it.
        program.MainForm->Timer1()->setEnabled(false);
        program.show();
        program.MainForm->activateWindow();  // no window manager does it under Xvfb
        QVERIFY(QTest::qWaitForWindowActive(program.MainForm.get()));
        QApplication::clipboard()->clear();
        program.MainForm->FileNewItemClick();
        int step = 0, ticks = 0;
        QTimer script;
        connect(&script, &QTimer::timeout, [&] {
            TMDIChild* child = program.MainForm->activeChild();
            if (step == 0 && child && program.engine.Depth() == 1) {
                QTest::keyClick(program.MainForm.get(), Qt::Key_F, Qt::ControlModifier);
                step = 1;
            } else if (step == 1 && child && !child->document().searching() &&
                       child->document().v.zoom != 0.01 && ++ticks == 30) {
                QTest::keyClick(program.MainForm.get(), Qt::Key_C, Qt::ControlModifier);
                program.MainForm->StopButtonClick();
                step = 2;
            }
        });
        script.start(10);
        QTRY_COMPARE_WITH_TIMEOUT(step, 2, 20000);
        QTRY_COMPARE(program.engine.Depth(), 0);
        const QImage copied = QApplication::clipboard()->image();
        QVERIFY(!copied.isNull());
        int lit = 0;
        for (int y = 0; y < copied.height(); ++y)
            for (int x = 0; x < copied.width(); ++x) lit += (copied.pixel(x, y) & 0xFFFFFF) != 0;
        QVERIFY2(lit >= 0.02 * copied.width() * copied.height(), qPrintable(QString::number(lit)));
    }

    // Last: it ends the application's event loop.
    void closingTheFrameWhileTwoWindowsDrawEndsTheProgram() {
        Program program;
        program.MainForm->show();
        When([&] { return program.engine.Depth() == 1; },
             [&] {
                 program.MainForm->FileNewItemClick();
                 // The suspended window is not the active one.
                 When([&] { return program.engine.Depth() == 2; }, [&] { program.MainForm->close(); });
             });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(3); });
        watchdog.start(30000);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(program.engine.Depth(), 0);
        for (TMDIChild* child : program.MainForm->attractorWindows())
            QCOMPARE(child->document().v.stop, kTrue);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::FrameTest)

#include "frame_test.moc"
