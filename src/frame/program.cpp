#include "frame/program.h"

#include <QScreen>
#include <algorithm>

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

void Program::Show() {
    // Room for the merged menu bar and a first picture of 400 x 300.
    const QRect screen = MainForm->screen()->availableGeometry();
    MainForm->resize(std::min(1000, screen.width() * 9 / 10), std::min(720, screen.height() * 9 / 10));
    MainForm->move(screen.center() - MainForm->rect().center());
    MainForm->show();
    // The tool windows open beside the frame when there is room, else along
    // its right edge, rather than over the pictures.
    const QRect frame = MainForm->frameGeometry();
    int x = frame.right() + 8;
    if (x + Form4->width() > screen.right()) x = frame.right() - Form4->width() - 70;
    int y = frame.top() + 40;
    for (QWidget* tool : std::initializer_list<QWidget*>{Form4, CForm, XYSize}) {
        tool->move(x, y);
        y += tool->frameGeometry().height() + 30;
    }
}

}  // namespace zephyrin
