#pragma once

#include <QIcon>

namespace zephyrin {

// The pictures of the frame's tool bar buttons, drawn at 32 x 32.
enum class FrameTool { kParameters, kStop, kReset, kDrawRandom, kApply, kFindAttractor };

QIcon frameToolIcon(FrameTool tool);

}  // namespace zephyrin
