#pragma once

#include <memory>

namespace zephyrin {

class Picture;

// What a picture document needs of whatever shows its picture: the view
// owns the picture, and a new one replaces (and releases) the one before.
class PictureDisplay {
public:
    virtual Picture* shownPicture() const = 0;
    virtual void setShownPicture(std::unique_ptr<Picture> picture) = 0;

protected:
    ~PictureDisplay() = default;
};

}  // namespace zephyrin
