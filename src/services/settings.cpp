#include "services/settings.h"

#include <QSettings>

namespace zephyrin {

namespace {
QSettings openStore() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zephyrin"),
                     QStringLiteral("Zephyrin"));
}
}  // namespace

QVariant rememberedValue(const QString& key, const QVariant& fallback) {
    const QSettings store = openStore();
    if (store.status() != QSettings::NoError) return fallback;
    // The file holds text: whether a value is of the fallback's kind shows
    // only in converting it.
    QVariant value = store.value(key, fallback);
    if (fallback.isValid() && !value.convert(fallback.metaType())) return fallback;
    return value;
}

void remember(const QString& key, const QVariant& value) {
    QSettings store = openStore();
    store.setValue(key, value);
}

}  // namespace zephyrin
