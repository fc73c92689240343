#pragma once

#include <QImage>
#include <QString>

namespace zephyrin {

// What a new window draws at its set-up instead of a random start: an opened
// image (with the parameters inside or beside it), a parameter file, or
// parameter text (pasted, or a gallery's tile), whose complaints are
// captioned with `textCaption`. Used up by the set-up.
struct WindowStart {
    QImage image{};
    QString parameterFile{};
    QString parameterText{};
    QString textCaption{};
};

}  // namespace zephyrin
