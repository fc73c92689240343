#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "dialog_checks.h"
#include "dialogs/spin_edit.h"
#include "dialogs/xy_size_dialog.h"

using zephyrin::TXYSize;
using namespace zephyrin::testing;

class XYSizeDialogTest : public QObject {
    Q_OBJECT

private slots:
    void window() {
        TXYSize dialog;
        VerifyToolWindow(&dialog, QStringLiteral("XYSize"), QSize(208, 71));
    }

    void controls_data() {
        AddControlColumns();
        AddControl("CoolBtn1", "QPushButton", {{"text", "Apply"}});
        AddControl("CloseButton", "QPushButton", {{"text", "Close"}});
        AddControl("RxWidth", "QDoubleSpinBox", SpinProperties(10, 0));
        AddControl("RxHeight", "QDoubleSpinBox", SpinProperties(10, 0));
        AddControl("Size1", "QMenu", {{"title", "Size"}});
    }
    void controls() {
        TXYSize dialog;
        VerifyControl(&dialog);
    }

    // A preset only fills the spins; nothing is applied.
    void presets_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("120 by 80 gives 90 rows") << "N120by801"
                                                 << "120 by 80" << 120.0 << 90.0;
        QTest::newRow("160 by 120") << "N160by1201"
                                    << "160 by 120" << 160.0 << 120.0;
        QTest::newRow("320 by 240") << "N320by2402"
                                    << "320 by 240" << 320.0 << 240.0;
        QTest::newRow("400 by 300") << "N400by3001"
                                    << "400 by 300" << 400.0 << 300.0;
        QTest::newRow("640 by 480") << "N640by4801"
                                    << "640 by 480" << 640.0 << 480.0;
        QTest::newRow("800 by 600") << "N800by6001"
                                    << "800 by 600" << 800.0 << 600.0;
        QTest::newRow("1024 by 768") << "N1024by7681"
                                     << "1024 by 768" << 1024.0 << 768.0;
    }
    void presets() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(double, width);
        QFETCH(double, height);
        TXYSize dialog;
        QSignalSpy applied(&dialog, &TXYSize::applyRequested);
        auto* preset = dialog.findChild<QAction*>(name);
        QCOMPARE(preset->text(), caption);
        preset->trigger();
        QCOMPARE(dialog.RxWidth()->textValue(), width);
        QCOMPARE(dialog.RxHeight()->textValue(), height);
        QCOMPARE(applied.count(), 0);
    }

    void applyButtonRequestsApply() {
        TXYSize dialog;
        dialog.show();
        QSignalSpy applied(&dialog, &TXYSize::applyRequested);
        QTest::mouseClick(dialog.CoolBtn1(), Qt::LeftButton);
        QCOMPARE(applied.count(), 1);
    }

    void closeButtonHidesTheWindow() {
        TXYSize dialog;
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(XYSizeDialogTest)
#include "xy_size_dialog_test.moc"
