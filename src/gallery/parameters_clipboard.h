#pragma once

#include <QString>
#include <string>

#include "util/result.h"

class QMimeData;

namespace zephyrin {

// What Paste Parameters draws: a parameter file's text, read from `file`
// when the clipboard named one.
struct PastedParameters {
    std::string text;
    QString file;
};

// The parameters on the clipboard: parameter file text, or a file (a URL,
// or text naming it) that is a parameter file or a PNG or TIFF picture with
// parameters inside. A picture alone carries none. Fails saying what the
// clipboard should hold, or why the file named cannot be read.
[[nodiscard]] Result<PastedParameters> parametersFromClipboard(const QMimeData* data);

}  // namespace zephyrin
