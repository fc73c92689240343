#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace zephyrin {

// A 24-bit colour picture. Colours are packed as r + 256*g + 65536*b; row 0 is
// the top row. Pixels are stored as 0xFFRRGGBB words so a view can show the
// buffer directly without converting it.
class Picture {
public:
    Picture() = default;
    Picture(int width, int height) { SetSize(width, height); }

    // Copies and moves carry the pixels only: observers watch one object.
    Picture(const Picture& other) : width_(other.width_), height_(other.height_), pixels_(other.pixels_) {}
    Picture(Picture&& other) noexcept
        : width_(other.width_), height_(other.height_), pixels_(std::move(other.pixels_)) {}
    Picture& operator=(const Picture& other) {
        width_ = other.width_;
        height_ = other.height_;
        pixels_ = other.pixels_;
        return *this;
    }
    Picture& operator=(Picture&& other) noexcept {
        width_ = other.width_;
        height_ = other.height_;
        pixels_ = std::move(other.pixels_);
        return *this;
    }

    // Black pixels afterwards; a size of 0 (or less) gives an empty picture.
    void SetSize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    // Coordinates outside the picture are ignored.
    void SetPixel(int column, int row, std::uint32_t colour) {
        if (static_cast<unsigned>(column) < static_cast<unsigned>(width_) &&
            static_cast<unsigned>(row) < static_cast<unsigned>(height_))
            pixels_[static_cast<std::size_t>(row) * width_ + column] = ToWord(colour);
    }
    // The same with the colour given as a stored word (ToWord).
    void SetPixelWord(int column, int row, std::uint32_t word) {
        if (static_cast<unsigned>(column) < static_cast<unsigned>(width_) &&
            static_cast<unsigned>(row) < static_cast<unsigned>(height_))
            pixels_[static_cast<std::size_t>(row) * width_ + column] = word;
    }
    // Black outside the picture.
    std::uint32_t Pixel(int column, int row) const {
        if (static_cast<unsigned>(column) < static_cast<unsigned>(width_) &&
            static_cast<unsigned>(row) < static_cast<unsigned>(height_))
            return FromWord(pixels_[static_cast<std::size_t>(row) * width_ + column]);
        return 0;
    }

    // The same size and pixels.
    bool operator==(const Picture& other) const {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

    // Every pixel in one colour.
    void Fill(std::uint32_t colour) { std::fill(pixels_.begin(), pixels_.end(), ToWord(colour)); }

    // Change notification: Changed() calls every registered observer, for
    // example a view that repaints from the pixels set so far.
    int AddObserver(std::function<void()> observer);
    void RemoveObserver(int id);
    void Changed() const;

    // Row-major 0xFFRRGGBB words, Width() per row.
    const std::uint32_t* Words() const { return pixels_.data(); }
    std::uint32_t* Words() { return pixels_.data(); }

    static constexpr std::uint32_t Pack(int r, int g, int b) {
        return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
               static_cast<std::uint32_t>(b) << 16;
    }
    static constexpr int Red(std::uint32_t colour) { return colour & 0xFF; }
    static constexpr int Green(std::uint32_t colour) { return (colour >> 8) & 0xFF; }
    static constexpr int Blue(std::uint32_t colour) { return (colour >> 16) & 0xFF; }

    static constexpr std::uint32_t ToWord(std::uint32_t colour) {
        return 0xFF000000u | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    }
    static constexpr std::uint32_t FromWord(std::uint32_t word) {
        return (word >> 16 & 0xFF) | (word & 0xFF00) | (word & 0xFF) << 16;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::pair<int, std::function<void()>>> observers_;
    int nextObserverId_ = 1;
};

}  // namespace zephyrin
