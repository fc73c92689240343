#include "frame/program.h"

#include "dialogs/coefficients_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/xy_size_dialog.h"
#include "frame/about_box.h"
#include "frame/main_form.h"

namespace zephyrin {

Program::Program() {
    ProgramParts parts;
    parts.engine = &engine;
    parts.pump = &pump;
    MainForm = std::make_unique<TMainForm>(parts);
    // Owned by the frame, so they stay on top of it and go with it.
    AboutBox = new TAboutBox(MainForm.get());
    XYSize = new TXYSize(MainForm.get());
    Form4 = new TForm4(MainForm.get());
    CForm = new TCForm(MainForm.get());
    MainForm->SetAboutBox(AboutBox);
    MainForm->SetDialogs(XYSize, Form4, CForm);
}

Program::~Program() = default;

}  // namespace zephyrin
