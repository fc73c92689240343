#pragma once

#include <QIcon>

namespace zephyrin {

// The pictures on the Parameters dialog's tool bar, drawn light on the bar's black.
enum class ToolGlyph { kClose, kStop, kReset, kDrawRandom, kApply };

QIcon toolGlyphIcon(ToolGlyph glyph);

}  // namespace zephyrin
