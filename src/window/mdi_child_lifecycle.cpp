// The window's creation, its first-time set-up on the first Timer1 tick, and
// its close, which stops the drawing and minimises the window.
#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/defaults.h"
#include "engine/view_coords.h"
#include "imaging/picture.h"
#include "view/picture_view.h"
#include "window/mode_word.h"
#include "window/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin {

TMDIChild::TMDIChild(const ProgramParts& parts, QWidget* parent) : QMdiSubWindow(parent), parts_(parts) {
    setObjectName(QStringLiteral("MDIChild"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("MDI Child"));
    v.stop = kFalse;
    v.randomStart = kTrue;
    v.white = kFalse;
    CreateComponents();
    CreateMenus();
    ConnectView();
    Timer1->SetEnabled(true);
}

TMDIChild::~TMDIChild() = default;

void TMDIChild::CreateComponents() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    PGImage1 = new PictureView(client);
    PGImage1->setObjectName(QStringLiteral("PGImage1"));
    layout->addWidget(PGImage1, 1);

    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    const int widths[] = {150, 150, 120};
    for (int i = 0; i < 3; ++i) {
        statusPanels[i] = new QLabel(StatusBar1);
        statusPanels[i]->setFont(font);
        statusPanels[i]->setFixedWidth(widths[i]);
        StatusBar1->addWidget(statusPanels[i]);
    }
    layout->addWidget(StatusBar1);
    setWidget(client);

    Timer1 = new OneShotTimer(500, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &OneShotTimer::tick, this, &TMDIChild::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, &TMDIChild::Timer2Timer);
}

void TMDIChild::Timer1Timer() {
    FormPaint();
}

void TMDIChild::FormPaint() {
    if (!setupPending) return;
    PGImage1->setActionMode(PictureView::ActionMode::MoveImage);
    if (const QScreen* screen = this->screen()) {
        const QSize border = size() - widget()->size();
        PGImage1->setAutoSizeLimits(screen->size().width() - border.width(),
                                    screen->size().height() - border.height());
    }
    PGImage1->setActionMode(PictureView::ActionMode::MoveResizeCreateSelection);

    if (ModeWord() == kModeNew) {
        v.width = 400;
        v.height = 300;
        ShowPicture(std::make_unique<Picture>(400, 300));
        SetModeWord(kModeRunning);
        setWindowTitle(QStringLiteral("zephyrin    "));
        pictureName = windowTitle();
    } else {
        // A window made without the NEW word still needs a picture of its size.
        v.width = 400;
        v.height = 300;
        ShowPicture(std::make_unique<Picture>(400, 300));
    }
    picture = PGImage1->CurrentPicture();
    picture->Changed();
    v.listWidth = v.width;
    v.listHeight = v.height;
    ResetCoordinates(v);
    SetNewWindowDefaults(v);
    colorMix = expansion = modulas = kFalse;
    CreateTList();
    setupPending = kFalse;
    UpdateGrafX();
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    // A window is never destroyed while the program runs: closing stops its
    // drawing and minimises it with its picture and record.
    v.stop = kTrue;
    event->ignore();
    showMinimized();
}

}  // namespace zephyrin
