#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "dialog_checks.h"
#include "dialogs/coefficients_dialog.h"
#include "dialogs/settle_timer.h"
#include "dialogs/spin_edit.h"

using zephyrin::SettleTimer;
using zephyrin::SpinEdit;
using zephyrin::TCForm;
using namespace zephyrin::testing;

class CoefficientsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void window() {
        TCForm dialog;
        VerifyToolWindow(&dialog, QStringLiteral("Coefficients"), QSize(266, 246));
    }

    void controls_data() {
        AddControlColumns();
        for (int element = 1; element <= TCForm::kCount; ++element) {
            const int block = (element - 1) / 6;
            const QByteArray name = QByteArray(1, char('A' + block)) +
                                    QByteArray::number((element - 1) % 6 + 1).rightJustified(2, '0');
            const QString hint = block == 2 ? QString() : QStringLiteral("af[%1]").arg(element);
            AddControl(name.constData(), "QDoubleSpinBox", SpinProperties(block == 2 ? 0.1 : 0.05, 9, hint));
        }
        AddControl("CoefficiantTimer", "QTimer", SettleTimerProperties());
    }
    void controls() {
        TCForm dialog;
        VerifyControl(&dialog);
    }

    // coefficient(i) is af[i]; the tab order runs the same way.
    void coefficientOrder() {
        TCForm dialog;
        QCOMPARE(dialog.coefficient(1)->objectName(), QStringLiteral("A01"));
        QCOMPARE(dialog.coefficient(7)->objectName(), QStringLiteral("B01"));
        QCOMPARE(dialog.coefficient(18)->objectName(), QStringLiteral("C06"));
        QCOMPARE(dialog.coefficient(0), nullptr);
        QCOMPARE(dialog.coefficient(19), nullptr);
        QWidget* next = dialog.coefficient(1);
        for (int i = 2; i <= TCForm::kCount; ++i) {
            do next = next->nextInFocusChain();
            while (qobject_cast<SpinEdit*>(next) == nullptr);
            QCOMPARE(next, dialog.coefficient(i));
        }
    }

    // A block reads as the memo: factor of x, factor of y and constant across; new x above new y.
    void screenLayout() {
        TCForm dialog;
        const auto at = [&dialog](int i) { return dialog.coefficient(i)->geometry(); };
        for (int j = 0; j < TCForm::kCount; j += 6) {
            for (int k = 1; k <= 5; k += 2) {
                QCOMPARE(at(j + k).top(), at(j + 1).top());
                QCOMPARE(at(j + k + 1).left(), at(j + k).left());
                QVERIFY(at(j + k).bottom() < at(j + k + 1).top());
            }
            QVERIFY(at(j + 1).right() < at(j + 3).left());
            QVERIFY(at(j + 3).right() < at(j + 5).left());
        }
        QVERIFY(dialog.findChild<QPlainTextEdit*>()->geometry().bottom() < at(1).top());
        QVERIFY(at(2).bottom() < at(7).top());
        QVERIFY(at(8).bottom() < at(13).top());
    }

    void everySpinArms() {
        TCForm dialog;
        auto* timer = dialog.findChild<QTimer*>(QStringLiteral("CoefficiantTimer"));
        for (int i = 1; i <= TCForm::kCount; ++i) {
            timer->stop();
            dialog.coefficient(i)->setValue(i);
            QVERIFY(timer->isActive());
        }
    }

    // One step is applied on the second tick after it, once.
    void stepSettles_data() {
        QTest::addColumn<int>("i");
        QTest::addColumn<double>("stepped");
        QTest::newRow("A01") << 1 << 0.05;
        QTest::newRow("C01") << 13 << 0.1;
    }
    void stepSettles() {
        QFETCH(int, i);
        QFETCH(double, stepped);
        TCForm dialog;
        auto* timer = dialog.findChild<SettleTimer*>(QStringLiteral("CoefficiantTimer"));
        QSignalSpy settled(&dialog, &TCForm::coefficientsSettled);
        dialog.coefficient(i)->stepUp();
        QVERIFY(timer->isActive());
        timer->tick();
        QCOMPARE(settled.count(), 0);
        timer->tick();
        QCOMPARE(settled.count(), 1);
        QCOMPARE(dialog.coefficient(i)->textValue(), stepped);
        QVERIFY(!timer->isActive());
    }
};

QTEST_MAIN(CoefficientsDialogTest)
#include "coefficients_dialog_test.moc"
