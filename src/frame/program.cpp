#include "frame/program.h"

#include <QScreen>
#include <algorithm>

#include "dialogs/coefficients_dialog.h"
#include "dialogs/colouring_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/xy_size_dialog.h"
#include "frame/about_box.h"
#include "frame/main_form.h"
#include "frame/tool_window_layout.h"
#include "frame/tool_window_placer.h"
#include "services/settings.h"

namespace zephyrin {

Program::Program() {
    ProgramParts parts;
    parts.engine = &engine;
    parts.pump = &pump;
    parts.pool = &pool;
    MainForm = std::make_unique<TMainForm>(parts);
    // Owned by the frame, so they stay on top of it and go with it.
    AboutBox = new TAboutBox(MainForm.get());
    XYSize = new TXYSize(MainForm.get());
    Form4 = new TForm4(MainForm.get());
    CForm = new TCForm(MainForm.get());
    Colouring = new ColouringDialog(MainForm.get());
    Colouring->setObjectName(QStringLiteral("Colouring"));
    XYSize->setObjectName(QStringLiteral("XYSize"));
    Form4->setObjectName(QStringLiteral("Form4"));
    CForm->setObjectName(QStringLiteral("CForm"));
    MainForm->setAboutBox(AboutBox);
    MainForm->setDialogs(XYSize, Form4, CForm);
    MainForm->setColouringDialog(Colouring);
}

Program::~Program() = default;

void Program::show() {
    const QList<QWidget*> tools{Form4, CForm, XYSize, Colouring};
    MainForm->setToolWindowPlacer(new ToolWindowPlacer(MainForm.get(), tools));
    // Where the frame was in the last run, when the window system takes it.
    if (MainForm->restoreGeometry(rememberedValue(kFrameGeometryKey, QByteArray()).toByteArray())) {
        MainForm->show();
        return;
    }
    int toolColumn = 0;
    for (QWidget* tool : tools) {
        tool->adjustSize();
        toolColumn = std::max(toolColumn, tool->width());
    }
    // Room for the merged menu bar and a first picture of 400 x 300, with the
    // tool windows beside the frame where the screen is wide enough.
    const QRect screen = MainForm->screen()->availableGeometry();
    const QSize wanted(std::min(1000, screen.width() * 9 / 10), std::min(720, screen.height() * 9 / 10));
    const QRect frame = placeFrame(screen, wanted, toolColumn);
    MainForm->resize(frame.size());
    MainForm->move(frame.topLeft());
    MainForm->show();
    // Decorations are known only now: take them off the outer size asked for.
    const QSize decorations = MainForm->frameGeometry().size() - MainForm->size();
    if (!decorations.isNull()) MainForm->resize(frame.size() - decorations);
}

}  // namespace zephyrin
