#pragma once

#include <QDialog>

namespace zephyrin {

// Help > About: the program's credits, shown modally until Close.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void OKButtonClick();
};

}  // namespace zephyrin
