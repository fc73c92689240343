#pragma once

#include <QString>

namespace zephyrin {

// The process-wide one-shot mode word through which the frame and the
// picture windows pass requests: "NEW" (a new blank window is to be set up),
// "zephyrin " (normal running), "REDUCE211", "REDUCE311", "REDUCE411" (a
// pending reduction), or a loaded parameter file's path.
QString modeWord();
void setModeWord(const QString& word);

inline const QString kModeNew = QStringLiteral("NEW");
inline const QString kModeOpen = QStringLiteral("OPEN");
inline const QString kModeRunning = QStringLiteral("zephyrin ");

}  // namespace zephyrin
