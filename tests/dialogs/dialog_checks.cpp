#include "dialog_checks.h"

#include <QLabel>
#include <QTest>
#include <limits>

#include "dialogs/gradient_panel.h"

namespace zephyrin::testing {

namespace {

QString Describe(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    return control->objectName();
}

QString LayoutProblem(const QWidget* dialog) {
    const auto* panel = dialog->findChild<GradientPanel*>();
    const QList<QWidget*> controls = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget* control = controls[i];
        const QSize needed = control->sizeHint().boundedTo(control->maximumSize());
        if (control->width() < needed.width() || control->height() < needed.height()) {
            return Describe(control) + QStringLiteral(" is clipped");
        }
        if (!panel->rect().contains(control->geometry()))
            return Describe(control) + QStringLiteral(" sticks out");
        for (qsizetype k = i + 1; k < controls.size(); ++k) {
            if (control->geometry().intersects(controls[k]->geometry())) {
                return Describe(control) + QStringLiteral(" overlaps ") + Describe(controls[k]);
            }
        }
    }
    return {};
}

}  // namespace

void AddControlColumns() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QVariantMap>("properties");
}

void AddControl(const char* name, const char* kind, const QVariantMap& properties) {
    QTest::newRow(name) << QString::fromLatin1(name) << QByteArray(kind) << properties;
}

void VerifyControl(const QWidget* dialog) {
    QFETCH(QString, name);
    QFETCH(QByteArray, kind);
    QFETCH(QVariantMap, properties);
    const QObject* control = dialog->findChild<QObject*>(name);
    QVERIFY2(control != nullptr, qPrintable(name));
    QVERIFY2(control->inherits(kind.constData()), control->metaObject()->className());
    for (auto property = properties.cbegin(); property != properties.cend(); ++property) {
        QCOMPARE(control->property(property.key().toLatin1().constData()), property.value());
    }
}

QVariantMap SpinProperties(double step, int decimals, const QString& hint) {
    constexpr double kMax = std::numeric_limits<double>::max();
    return {{"singleStep", step}, {"decimals", decimals}, {"minimum", -kMax},
            {"maximum", kMax},    {"value", 0.0},         {"toolTip", hint}};
}

QVariantMap SettleTimerProperties() {
    return {{"interval", 250}, {"active", false}};
}

void VerifyToolWindow(const QWidget* dialog, const QString& caption, QSize designClientSize) {
    QVERIFY(dialog->isHidden());
    QVERIFY(dialog->windowFlags().testFlag(Qt::Tool));
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dialog->windowTitle(), caption);
    QVERIFY(dialog->sizeHint().expandedTo(designClientSize) == dialog->sizeHint());
    const QString problem = LayoutProblem(dialog);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

}  // namespace zephyrin::testing
