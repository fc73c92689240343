#include "gallery/measures_text.h"

#include <cmath>

#include "services/locale_format.h"
#include "util/number_format.h"

namespace zephyrin {

QString measuresText(const OrbitMeasures& measures) {
    if (!measures.measured) return QStringLiteral("no measures");
    const char separator = localeDecimalSeparator();
    const auto fixed = [separator](double value, int decimals) {
        return std::isnan(value) ? QStringLiteral("-")
                                 : QString::fromStdString(FormatFixed(value, decimals, separator));
    };
    return QStringLiteral("L %1  D2 %2  score %3")
        .arg(fixed(measures.lyapunov, 3), fixed(measures.dimension, 2), fixed(measures.score, 2));
}

}  // namespace zephyrin
