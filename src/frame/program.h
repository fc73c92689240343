#pragma once

#include <memory>

#include "util/thread_pool.h"
#include "engine/core/engine.h"
#include "services/event_pump.h"

namespace zephyrin {

class ColouringDialog;
class TAboutBox;
class TCForm;
class TForm4;
class TMainForm;
class TXYSize;

// The whole program: the shared engine and the five forms, created in the
// order the frame, the About box, the XY size, Parameters and Coefficients
// dialogs, and kept for the whole run. The dialogs start hidden.
class Program {
public:
    Program();
    ~Program();

    // Shows the frame at a comfortable size and places the tool windows.
    void show();

    Engine engine;
    EventPump pump;
    // Outlives the windows, whose drawings it runs.
    ThreadPool pool;
    std::unique_ptr<TMainForm> MainForm;
    TAboutBox* AboutBox = nullptr;
    TXYSize* XYSize = nullptr;
    TForm4* Form4 = nullptr;
    TCForm* CForm = nullptr;
    ColouringDialog* Colouring = nullptr;
};

}  // namespace zephyrin
