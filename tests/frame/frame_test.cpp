// The program as a whole: start-up, the deferred restarts of the tool bar,
// drawings in two windows, closing windows and closing the frame.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <utility>

#include "dialogs/parameters_dialog.h"
#include "engine/file/param_file.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "imaging/image_file.h"
#include "imaging/image_formats.h"
#include "imaging/picture.h"
#include "qt_test_main.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

namespace {

// Runs `action` after `ms` milliseconds, inside whatever drawing runs then.
void After(int ms, std::function<void()> action) {
    QTimer::singleShot(ms, std::move(action));
}

}  // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void startUpOpensNoname1AndDrawsWithoutAnyAction() {
        Program program;
        program.MainForm->show();
        QString earlyCaption;
        bool checked = false;
        After(300, [&] { earlyCaption = program.MainForm->activeChild()->windowTitle(); });
        After(1300, [&] {
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
        QTRY_VERIFY_WITH_TIMEOUT(checked, 5000);
        QCOMPARE(earlyCaption, QStringLiteral("NONAME1"));
        QCOMPARE(program.engine.Depth(), 0);
    }

    void applyTwiceWithinOnePeriodRestartsOnce() {
        Program program;
        program.MainForm->show();
        int restarts = -1, depth = 0;
        After(1200, [&] {
            TMDIChild* child = program.MainForm->activeChild();
            auto* spy = new QSignalSpy(child->PGImage1, &PictureView::newAutoSize);
            program.MainForm->ApplyButtonClick();
            QTest::qWait(30);
            program.MainForm->ApplyButtonClick();
            After(400, [&, spy, child] {
                restarts = spy->count();
                depth = program.engine.Depth();
                QCOMPARE(child->document().v.randomStart, kFalse);
                delete spy;
                program.MainForm->StopButtonClick();
            });
        });
        QTRY_VERIFY_WITH_TIMEOUT(restarts >= 0, 5000);
        QCOMPARE(restarts, 1);
        QCOMPARE(depth, 2);
    }

    void applyDuringADrawingThatApplyStartedRestartsAtOnce() {
        Program program;
        program.MainForm->show();
        int depth = 0;
        After(1200, [&] {
            program.MainForm->ApplyButtonClick();  // its drawing runs inside the frame's timer tick
            After(300, [&] {
                program.MainForm->ApplyButtonClick();
                After(300, [&] {
                    depth = program.engine.Depth();
                    program.MainForm->StopButtonClick();
                });
            });
        });
        QTRY_VERIFY_WITH_TIMEOUT(depth > 0, 5000);
        QCOMPARE(depth, 3);
    }

    void aDrawingInASecondWindowNestsAndStopEndsBoth() {
        Program program;
        program.MainForm->show();
        int depth = 0;
        std::int32_t firstIterations = -1, firstIterationsLater = -2;
        After(1200, [&] {
            program.MainForm->FileNewItemClick();
            After(1200, [&] {
                depth = program.engine.Depth();
                firstIterations = program.MainForm->attractorWindows()[0]->document().v.iterations;
                After(100, [&] {
                    firstIterationsLater = program.MainForm->attractorWindows()[0]->document().v.iterations;
                    QCOMPARE(program.MainForm->activeChild()->windowTitle().left(4), QStringLiteral("Busy"));
                    program.MainForm->StopButtonClick();
                });
            });
        });
        QTRY_VERIFY_WITH_TIMEOUT(depth > 0, 6000);
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
                                     "Loadfromparameterfile1", "N1", "FileExitItem"}));
        QCOMPARE(captions, (QStringList{"&New", "&Open", "&Close", "Save &As...", "Load from parameter file",
                                        "", "E&xit"}));
        QCOMPARE(hints[1], QStringLiteral("Open an existing file"));
        QCOMPARE(hints[3], QStringLiteral("Save current file as..."));
        QVERIFY(!program.MainForm->findChild<QAction*>(QStringLiteral("FileSaveAsItem"))->isEnabled());
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

    void openShowsTheImageAtItsSizeAndDrawsNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shell.png"));
        QImage image(123, 45, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        image.setPixel(122, 44, qRgb(200, 150, 100));
        QVERIFY(image.save(path));
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        QStringList filters;
        setFileChooser([&](const FileRequest& request) {
            filters = request.filters;
            return FileChoice{path, 2};
        });
        program.MainForm->FileOpenItemClick();
        setFileChooser({});
        // Every format the program saves, together and one by one.
        QCOMPARE(filters.size(), 9);
        for (const char* pattern : {"*.bmp", "*.jpg", "*.pbm", "*.pgm", "*.png", "*.ppm", "*.tga", "*.tif"})
            QVERIFY(filters[0].contains(QLatin1String(pattern)));
        TMDIChild* child = program.MainForm->activeChild();
        QCOMPARE(child->windowTitle(), path);
        QTRY_COMPARE(child->setupPending, kFalse);
        const Picture* shown = child->PGImage1->currentPicture();
        QCOMPARE(shown->Width(), 123);
        QCOMPARE(shown->Height(), 45);
        QCOMPARE(shown->Pixel(122, 44), Picture::Pack(200, 150, 100));
        QCOMPARE(child->document().v.listWidth, 123);
        QCOMPARE(program.engine.Depth(), 0);
        // A drawing started later uses the image's size.
        QTimer::singleShot(100, [&] { program.MainForm->StopButtonClick(); });
        child->DrawClick(63);
        QCOMPARE(child->PGImage1->currentPicture()->Width(), 123);
    }

    // The image stays on show with its parameters loaded; Apply draws it again.
    void openWithAParameterFileBesideLoadsItsParameters() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shell.png"));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(qRgb(9, 8, 7));
        QVERIFY(image.save(path));
        TFractalRec saved;
        saved.formula = 14;
        saved.zoom = 0.05;
        QFile zpr(dir.filePath(QStringLiteral("shell.zpr")));
        QVERIFY(zpr.open(QIODevice::WriteOnly));
        zpr.write(QByteArray::fromStdString(WriteParameterText(saved, Effects{}, '.')));
        zpr.close();
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        setFileChooser([&](const FileRequest&) { return FileChoice{path, 0}; });
        program.MainForm->FileOpenItemClick();
        setFileChooser({});
        TMDIChild* child = program.MainForm->activeChild();
        QTRY_COMPARE(child->setupPending, kFalse);
        QCOMPARE(program.engine.Depth(), 0);
        QCOMPARE(child->PGImage1->currentPicture()->Pixel(0, 0), Picture::Pack(9, 8, 7));
        QCOMPARE(child->document().v.formula, 14);
        QCOMPARE(child->document().v.zoom, 0.05);
        QCOMPARE(child->windowTitle(), path);

        int depth = 0;
        program.MainForm->ApplyButtonClick();
        After(400, [&] {
            depth = program.engine.Depth();
            program.MainForm->StopButtonClick();
        });
        QTRY_VERIFY(depth != 0);
        QCOMPARE(child->document().v.formula, 14);
        QCOMPARE(child->PGImage1->currentPicture()->Width(), 64);
    }

    // Qt's own limit would refuse this; the program draws pictures this large.
    void openTakesAnImageLargerThanQtsDefaultLimit() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("large.png"));
        // 144 MB as 32-bit pixels, above Qt's 128 MB.
        QImage image(6000, 6000, QImage::Format_RGB32);
        image.fill(Qt::black);
        QVERIFY(image.save(path));
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        QVERIFY(program.MainForm->openImage(path));
        TMDIChild* child = program.MainForm->activeChild();
        QTRY_COMPARE(child->setupPending, kFalse);
        QCOMPARE(child->PGImage1->currentPicture()->Width(), 6000);
    }

    // Every format Save As writes opens again at its size.
    void openReadsEveryFormatTheProgramSaves_data() {
        QTest::addColumn<QString>("extension");
        for (const ImageFormatInfo& format : ImageFormats())
            QTest::newRow(format.extension.data()) << QString::fromLatin1(format.extension.data());
    }
    void openReadsEveryFormatTheProgramSaves() {
        QFETCH(QString, extension);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("saved.") + extension);
        Picture picture(37, 21);
        picture.Fill(Picture::Pack(255, 255, 255));
        QVERIFY(SaveImage(picture, path.toStdString(), ColourChange::kAgreed));
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        TMDIChild* child = program.MainForm->openImage(path);
        QVERIFY(child);
        QTRY_COMPARE(child->setupPending, kFalse);
        QCOMPARE(child->PGImage1->currentPicture()->Width(), 37);
        QCOMPARE(child->PGImage1->currentPicture()->Height(), 21);
    }

    // A file dialog opens where the last one of its subject chose a file:
    // pictures are opened and saved in one folder, gradients loaded from
    // another.
    void fileDialogsOpenInTheFolderLastUsed() {
        QTemporaryDir pictures, gradients;
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        QStringList folders;
        QString answer;
        setFileChooser([&](const FileRequest& request) -> std::optional<FileChoice> {
            folders << request.folder;
            if (answer.isEmpty()) return std::nullopt;
            return FileChoice{std::exchange(answer, QString()), 0};
        });
        setMessageSink([](const QString&) {});  // the gradient file is not there
        FileRequest save;
        save.kind = FileRequest::Kind::kSave;
        answer = pictures.filePath(QStringLiteral("typed.png"));
        chooseFile(nullptr, save);
        answer = gradients.filePath(QStringLiteral("g.ggr"));
        program.MainForm->loadGradient();
        program.MainForm->FileOpenItemClick();
        program.MainForm->loadGradient();
        setMessageSink({});
        setFileChooser({});
        QCOMPARE(folders.size(), 4);
        QCOMPARE(folders[2], pictures.path());
        QCOMPARE(folders[3], gradients.path());
    }

    // Each window keeps the size that shows its picture, one title bar apart.
    void cascadeKeepsTheWindowsSizes() {
        QTemporaryDir dir;
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.MainForm->resize(1200, 900);
        program.MainForm->show();
        QList<TMDIChild*> windows;
        for (const QSize& size : {QSize(300, 200), QSize(220, 160)}) {
            const QString path = dir.filePath(QStringLiteral("%1.png").arg(size.width()));
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::black);
            QVERIFY(image.save(path));
            windows << program.MainForm->openImage(path);
            QTRY_COMPARE(windows.last()->setupPending, kFalse);
        }
        const QSize first = windows[0]->size(), second = windows[1]->size();
        program.MainForm->WindowCascadeItemClick();
        QCOMPARE(windows[0]->size(), first);
        QCOMPARE(windows[1]->size(), second);
        QVERIFY(windows[1]->pos().y() > windows[0]->pos().y());
    }

    void openRefusesAFileThatIsNoImage() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fake.png"));
        QFile fake(path);
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("not an image");
        fake.close();
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        setFileChooser([&](const FileRequest&) { return FileChoice{path, 0}; });
        program.MainForm->FileOpenItemClick();
        setFileChooser({});
        setMessageSink({});
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("fake.png")));
        QCOMPARE(program.MainForm->attractorWindows().size(), 0);
    }

    // zephyrin FILE...: each readable file in a window of its own, the others
    // reported, and no blank window besides.
    void filesFromTheCommandLineOpenInWindowsOfTheirOwn() {
        QTemporaryDir dir;
        TFractalRec saved;
        saved.formula = 14;
        saved.zoom = 0.05;
        const QString parameters = dir.filePath(QStringLiteral("saved.zpr"));
        QFile zpr(parameters);
        QVERIFY(zpr.open(QIODevice::WriteOnly));
        zpr.write(QByteArray::fromStdString(WriteParameterText(saved, Effects{}, '.')));
        zpr.close();
        const QString image = dir.filePath(QStringLiteral("shell.png"));
        QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(image));
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        Program program;
        program.MainForm->openFiles({parameters, dir.filePath(QStringLiteral("missing.zpr")), image});
        setMessageSink({});
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("missing.zpr")));
        const QList<TMDIChild*> windows = program.MainForm->attractorWindows();
        QCOMPARE(windows.size(), 2);
        int formula = 0;
        After(800, [&] {
            formula = windows[0]->document().v.formula;
            program.MainForm->StopButtonClick();
            program.engine.StopCurrent();
        });
        QTRY_VERIFY(formula != 0);
        QCOMPARE(formula, 14);
        QCOMPARE(windows[1]->windowTitle(), image);
        QCOMPARE(program.MainForm->attractorWindows().size(), 2);
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

    // Where the frame and a tool window were, and the folder used last, come
    // back in the next run.
    void choicesSurviveARestart() {
        QTemporaryDir dir;
        const QRect frame(60, 50, 700, 500);
        {
            Program program;
            program.MainForm->Timer1()->setEnabled(false);
            program.show();
            program.MainForm->setGeometry(frame);
            program.Form4->show();
            program.Form4->move(250, 140);
            setFileChooser([&](const FileRequest&) {
                return FileChoice{dir.filePath(QStringLiteral("a.zpr")), 0};
            });
            chooseFile(nullptr, FileRequest{});
            setFileChooser({});
            program.MainForm->close();
        }
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.show();
        QCOMPARE(program.MainForm->geometry(), frame);
        program.Form4->show();
        QCOMPARE(program.Form4->pos(), QPoint(250, 140));
        QString folder;
        setFileChooser([&](const FileRequest& request) {
            folder = request.folder;
            return std::nullopt;
        });
        chooseFile(nullptr, FileRequest{});
        setFileChooser({});
        QCOMPARE(folder, dir.path());
    }

    // A settings file that cannot be read gives the first run's choices, silently.
    void aDamagedSettingsFileGivesTheDefaults() {
        const QString path = QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zephyrin"),
                                       QStringLiteral("Zephyrin"))
                                 .fileName();
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("[frame]\ngeometry=@ByteArray(\x01\x02\n[[[\n\xff\xfe");
        damaged.close();
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.show();
        program.Form4->show();
        setMessageSink({});
        QVERIFY(messages.isEmpty());
        QVERIFY(program.MainForm->isVisible());
        QVERIFY(program.MainForm->screen()->availableGeometry().contains(program.Form4->frameGeometry()));
    }

    // Last: it ends the application's event loop.
    void closingTheFrameWhileTwoWindowsDrawEndsTheProgram() {
        Program program;
        program.MainForm->show();
        After(1200, [&] {
            program.MainForm->FileNewItemClick();
            After(1200, [&] {
                QCOMPARE(program.engine.Depth(), 2);
                // The suspended window is not the active one.
                program.MainForm->close();
            });
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(3); });
        watchdog.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(program.engine.Depth(), 0);
        for (TMDIChild* child : program.MainForm->attractorWindows())
            QCOMPARE(child->document().v.stop, kTrue);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::FrameTest)

#include "frame_test.moc"
