#include "imaging/picture.h"

#include <utility>

namespace zephyrin {

void Picture::SetSize(int width, int height) {
    if (width <= 0 || height <= 0) width = height = 0;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ToWord(0));
}

int Picture::AddObserver(std::function<void()> observer) {
    observers_.emplace_back(nextObserverId_, std::move(observer));
    return nextObserverId_++;
}

void Picture::RemoveObserver(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Picture::Changed() const {
    // A copy, so an observer may register or remove observers while notified.
    const auto observers = observers_;
    for (const auto& entry : observers) entry.second();
}

}  // namespace zephyrin
