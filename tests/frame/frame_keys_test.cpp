// The keys of the frame with a picture window: one command per shortcut,
// Ctrl+W, and the menu bar's mnemonics.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "frame/main_form.h"
#include "frame/program.h"
#include "program_fixture.h"
#include "qt_test_main.h"
#include "services/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

namespace {

void addWithSubmenus(QList<QAction*>& into, const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        into.append(action);
        if (action->menu()) addWithSubmenus(into, action->menu()->actions());
    }
}

}  // namespace

class FrameKeysTest : public QObject {
    Q_OBJECT

private slots:
    // The menus, the tool bar, the window's system and pop-up menus, and the
    // menu bar's Alt+letter mnemonics.
    void noKeyBelongsToTwoCommands() {
        ProgramWithWindow p;
        TMainForm& frame = *p.program.MainForm;
        QList<QAction*> actions;
        addWithSubmenus(actions, frame.menuBar()->actions());
        addWithSubmenus(actions, frame.toolBar()->actions());
        addWithSubmenus(actions, p.child->systemMenu()->actions());
        addWithSubmenus(actions, p.child->PopupMenu1->actions());
        actions << frame.actions() << p.child->actions();
        QMultiHash<QString, QAction*> commands;
        for (QAction* action : actions) {
            QList<QKeySequence> keys = action->shortcuts();
            if (frame.menuBar()->actions().contains(action)) keys << QKeySequence::mnemonic(action->text());
            for (const QKeySequence& key : keys)
                if (!commands.contains(key.toString(), action)) commands.insert(key.toString(), action);
        }
        QStringList twice;
        for (const QString& key : commands.uniqueKeys())
            if (commands.count(key) > 1) twice << key;
        QVERIFY2(twice.isEmpty(), qPrintable(twice.join(QStringLiteral(", "))));
        QVERIFY(commands.contains(QStringLiteral("Ctrl+W")));
    }

    void ctrlWClosesTheActiveWindowAsFileCloseDoes() {
        ProgramWithWindow p;
        TMainForm& frame = *p.program.MainForm;
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Ambiguous")));
        QTest::keyClick(&frame, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(p.child->isMinimized());
        QCOMPARE(p.child->document().v.stop, kTrue);
    }

    // The active window's menus between File and Window; each menu has an
    // Alt+letter of its own (which the test above finds unique).
    void theMenuBarsMenusInOrderEachWithAMnemonic() {
        ProgramWithWindow p;
        QStringList titles;
        for (QAction* menu : p.program.MainForm->menuBar()->actions()) {
            QVERIFY2(!QKeySequence::mnemonic(menu->text()).isEmpty(), qPrintable(menu->text()));
            titles << QString(menu->text()).remove(QLatin1Char('&'));
        }
        QCOMPARE(titles,
                 (QStringList{"File", "Drawing", "XY Size", "Dialogs", "Effects", "Formula'", "Formula''",
                              "Plankton'''", "Formula'''", "IFS", "Edit", "Window", "Help"}));
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::FrameKeysTest)

#include "frame_keys_test.moc"
