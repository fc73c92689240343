#pragma once

#include <QSize>
#include <QString>
#include <QVariantMap>

class QWidget;

namespace zephyrin::testing {

// A data-driven table of controls: each row names a control, its class and
// the properties it has at creation.
void AddControlColumns();
void AddControl(const char* name, const char* kind, const QVariantMap& properties = {});
void VerifyControl(const QWidget* dialog);

// Properties of a spin without a range, and of a settle timer.
QVariantMap SpinProperties(double step, int decimals, const QString& hint = {});
QVariantMap SettleTimerProperties();

// Checks that dialog is a hidden, always-on-top tool window with the caption
// and at least the client size of its design, with no control clipped,
// sticking out or overlapping another.
void VerifyToolWindow(const QWidget* dialog, const QString& caption, QSize designClientSize);

}  // namespace zephyrin::testing
