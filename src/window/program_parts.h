#pragma once

#include <QSize>

namespace zephyrin {

class ThreadPool;
class Engine;
class EventPump;
class TCForm;
class TForm4;
class TXYSize;
class ColouringDialog;

// What a picture window needs of the frame.
class FrameServices {
public:
    // Pushes the active window's record into the dialogs; the engine asks
    // for it at every drawing start.
    virtual void UpdateParameters() = 0;
    // The size of the frame's client area, which a window fits into.
    virtual QSize frameClientSize() const = 0;
    // Edit > Paste Parameters: a new window from the parameters on the clipboard.
    virtual void pasteParameters() = 0;

protected:
    ~FrameServices() = default;
};

// The program-wide objects every picture window works with. They live as
// long as the program.
struct ProgramParts {
    Engine* engine = nullptr;
    EventPump* pump = nullptr;
    // Where density drawings run; without it they run on the engine.
    ThreadPool* pool = nullptr;
    FrameServices* frame = nullptr;
    TForm4* form4 = nullptr;
    TCForm* cform = nullptr;
    TXYSize* xySize = nullptr;
    ColouringDialog* colouring = nullptr;
};

}  // namespace zephyrin
