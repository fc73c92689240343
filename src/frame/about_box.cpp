#include "frame/about_box.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "util/version.h"

namespace zephyrin {

namespace {

const char kCredits[] =
    "Zephyrin draws strange attractors.\n"
    "\n"
    "A point is iterated under one of some seventy formulas, two of them "
    "maps that choose one of three affine transforms at random at every "
    "step. Every point of the orbit passes through the flame-style "
    "variations you switch on and is counted into the pixel it lands on; "
    "how often the orbit returns to a pixel sets its brightness.\n"
    "\n"
    "Built with Qt, libpng, libjpeg and libtiff.";

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>Zephyrin</b> %1").arg(QLatin1String(kVersion)), this);
    layout->addWidget(title);
    auto* memo = new QPlainTextEdit(QString::fromLatin1(kCredits), this);
    memo->setReadOnly(true);
    memo->setMinimumSize(320, 160);
    layout->addWidget(memo);

    auto* bar = new QToolBar(this);
    bar->setMovable(false);
    auto* close = new QPushButton(QStringLiteral("Close"), bar);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setDefault(true);
    bar->addWidget(close);
    layout->addWidget(bar);
    connect(close, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::OKButtonClick() {
    accept();
}

}  // namespace zephyrin
