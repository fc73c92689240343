#pragma once

#include <QString>

namespace zephyrin {

// The process-wide mode word. The frame reads "NEW" (a new blank window is
// to be set up); the rest is written for whoever looks: "zephyrin " (normal
// running), "REDUCE211", "REDUCE311", "REDUCE411" (a reduction requested;
// each window keeps its own request), or a loaded parameter file's path.
QString modeWord();
void setModeWord(const QString& word);

inline const QString kModeNew = QStringLiteral("NEW");
inline const QString kModeRunning = QStringLiteral("zephyrin ");

}  // namespace zephyrin
