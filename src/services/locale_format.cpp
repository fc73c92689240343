#include "services/locale_format.h"

#include <QLocale>

namespace zephyrin {

char localeDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point == QStringLiteral(",") ? ',' : '.';
}

}  // namespace zephyrin
