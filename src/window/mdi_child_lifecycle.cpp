// The window's creation, its first-time set-up on the first Timer1 tick, and
// its close, which stops the drawing and minimises the window.
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <new>
#include <utility>

#include "engine/core/defaults.h"
#include "engine/core/fractal_rec.h"
#include "engine/core/view_coords.h"
#include "imaging/embedded_parameters.h"
#include "imaging/image_formats.h"
#include "imaging/picture.h"
#include "services/messages.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "services/settings.h"
#include "view/picture_image.h"
#include "view/picture_view.h"
#include "window/save_names.h"
#include "window/status_panel.h"
#include "window/tmdi_child.h"

namespace zephyrin {

TMDIChild::TMDIChild(const ProgramParts& parts, QWidget* parent, WindowStart start)
    : QMdiSubWindow(parent),
      frame_(parts.frame),
      form4_(parts.form4),
      cform_(parts.cform),
      xySize_(parts.xySize),
      colouringDialog_(parts.colouring),
      document_(std::make_unique<PictureDocument>(*parts.engine, *parts.pump, parts.pool,
                                                  static_cast<PictureDisplay&>(*this))),
      start_(std::move(start)) {
    setObjectName(QStringLiteral("MDIChild"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("MDI Child"));
    // Each window keeps its own save format, starting from the one used last.
    saveFilterIndex_ = std::clamp(rememberedValue(kSaveFormatKey, 0).toInt(), 0,
                                  static_cast<int>(ImageFormats().size()) - 1);
    createComponents();
    createMenus();
    // File > Close has the keys that close a window: the system menu's own
    // would make every press ambiguous, with one more per window.
    for (QAction* action : systemMenu()->actions()) action->setShortcuts({});
    connectView();
    connectDocument();
    Timer1->setEnabled(true);
}

TMDIChild::~TMDIChild() = default;

void TMDIChild::createComponents() {
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
        statusPanels[i] = new StatusPanel(widths[i], StatusBar1);
        statusPanels[i]->setFont(font);
        StatusBar1->addWidget(statusPanels[i]);
    }
    layout->addWidget(StatusBar1);
    setWidget(client);
    // Never narrower than the title bar and the status panels need, nor lower
    // than the title bar, the status bar and a strip of picture.
    setMinimumSize(minimumSizeHint());

    Timer1 = new OneShotTimer(500, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &OneShotTimer::tick, this, &TMDIChild::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, &TMDIChild::Timer2Timer);
    wheelTimer_ = new OneShotTimer(150, this);
    wheelTimer_->setObjectName(QStringLiteral("WheelTimer"));
    connect(wheelTimer_, &OneShotTimer::tick, this, &TMDIChild::UpdateGrafX);
}

void TMDIChild::connectDocument() {
    PictureDocument* document = document_.get();
    connect(document, &PictureDocument::parametersInUse, this, [this] {
        if (frame_) frame_->UpdateParameters();
    });
    connect(document, &PictureDocument::redrawRequested, this, &TMDIChild::UpdateGrafX);
    connect(document, &PictureDocument::continueRequested, this, &TMDIChild::continueDrawing);
    connect(document, &PictureDocument::colouringModeChanged, this, &TMDIChild::UpdateMenuItems);
    connect(document, &PictureDocument::colouringRestored, this, &TMDIChild::colouringUpdate);
    connect(document, &PictureDocument::searchStarted, this, [this] {
        StatusBar1->showMessage(
            QStringLiteral("Finding an attractor for formula %1...").arg(document_->v.formula));
    });
    connect(document, &PictureDocument::searchEnded, StatusBar1, &QStatusBar::clearMessage);
}

Picture* TMDIChild::shownPicture() const {
    return PGImage1->currentPicture();
}

void TMDIChild::setShownPicture(std::unique_ptr<Picture> picture) {
    PGImage1->setPicture(std::move(picture));
}

void TMDIChild::Timer1Timer() {
    FormPaint();
    carryOutReduction();
}

void TMDIChild::FormPaint() {
    if (!setupPending) return;
    TFractalRec& v = document_->v;
    PGImage1->setActionMode(PictureView::ActionMode::MoveImage);
    if (const QScreen* screen = this->screen()) {
        const QSize border = size() - widget()->size();
        PGImage1->setAutoSizeLimits(screen->size().width() - border.width(),
                                    screen->size().height() - border.height());
    }
    PGImage1->setActionMode(PictureView::ActionMode::MoveResizeCreateSelection);
    if (setUpOpenedCounts()) return;

    bool opened = false;
    try {
        opened = setUpOpenedImage();
    } catch (const std::bad_alloc&) {
        showError(QStringLiteral("There is not enough memory to show the image \"%1\".").arg(windowTitle()));
    }
    if (!opened) {
        // NEW, or any other start: a blank picture of the start size.
        v.width = 400;
        v.height = 300;
        document_->showPicture(std::make_unique<Picture>(400, 300));
        setModeWord(kModeRunning);
        setWindowTitle(QStringLiteral("zephyrin    "));
        pictureName = windowTitle();
    }
    PGImage1->currentPicture()->Changed();
    v.listWidth = v.width;
    v.listHeight = v.height;
    ResetCoordinates(v);
    SetNewWindowDefaults(v);
    document_->effects = Effects{};
    setupPending = kFalse;
    if (!opened) {
        CreateTList();
        const QString parameters = std::exchange(start_.parameterFile, QString());
        if (!parameters.isEmpty() && LoadFromParameterFile(parameters)) return;
        const QString text = std::exchange(start_.parameterText, QString());
        if (!text.isEmpty() &&
            document_->takeParameterText(text.toStdString(), start_.textCaption, QString())) {
            v.randomStart = kFalse;
            UpdateGrafX();
            return;
        }
        // A new window shows an attractor worth drawing, unless the user
        // asked for the plain random start.
        if (rememberedValue(kFindOnStartKey, true).toBool())
            document_->findAttractor(PictureDocument::SearchFailure::kDrawRandomStart);
        else
            UpdateGrafX();
        return;
    }
    takeOpenedImagesParameters();
}

// An opened image stays on show. With its parameter file beside it the window
// takes the picture's values, so that Apply draws it again.
void TMDIChild::takeOpenedImagesParameters() {
    TFractalRec& v = document_->v;
    try {
        document_->newHitList();
    } catch (const std::bad_alloc&) {
        showError(QStringLiteral("There is not enough memory for the hit counters of a picture of %1 by %2 "
                                 "pixels.")
                      .arg(v.width)
                      .arg(v.height));
        return;
    }
    const QString image = windowTitle();
    const QString parameters = ParameterFilePathFor(image);
    if (CarriesParameters(image.toStdString()) && ReadEmbeddedParameters(image.toStdString())) {
        if (document_->readParameters(image)) v.randomStart = kFalse;
    } else if (QFileInfo::exists(parameters) && document_->readParameters(parameters)) {
        v.randomStart = kFalse;
    }
}

// A counts file the frame has opened for this window gives it its record,
// its colouring and its picture; the window draws nothing until Continue.
bool TMDIChild::setUpOpenedCounts() {
    bool shown = false;
    try {
        shown = document_->showCountsToOpen();
    } catch (const std::bad_alloc&) {
        showError(
            QStringLiteral("There is not enough memory to show the counts of \"%1\".").arg(windowTitle()));
    }
    if (!shown) return false;
    setupPending = kFalse;
    setModeWord(kModeRunning);
    pictureName = windowTitle();
    const PixelScale scale = document_->freezeView();
    xPerPixel = scale.xPerPixel;
    yPerPixel = scale.yPerPixel;
    PGImage1->currentPicture()->Changed();
    UpdateMenuItems();
    return true;
}

// The image the frame has opened for this window, if any, becomes its picture
// and gives it its size.
bool TMDIChild::setUpOpenedImage() {
    if (start_.image.isNull()) return false;
    auto opened = std::make_unique<Picture>(pictureOfImage(std::exchange(start_.image, QImage())));
    TFractalRec& v = document_->v;
    v.width = opened->Width();
    v.height = opened->Height();
    document_->showPicture(std::move(opened));
    setModeWord(kModeRunning);
    pictureName = windowTitle();
    return true;
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    // A window is never destroyed while the program runs: closing stops its
    // drawing and minimises it with its picture and record.
    // A closed window starts no drawing (not even its first, if its set-up
    // is still to come) until the user restores it.
    document_->stopDrawing();
    document_->setClosed(true);
    event->ignore();
    showMinimized();
}

void TMDIChild::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) && !isMinimized()) document_->setClosed(false);
}

}  // namespace zephyrin
