#include "dialogs/starfield.h"

#include <algorithm>
#include <cmath>

#include "settings/numeric.h"

namespace orrelume {

namespace {

// Beyond this a dot would only cover the picture; a star this close is
// reborn first anyway (1 / 0.02 = 50).
constexpr int32_t kLargestDot = 64;

// A coordinate of the square -1..1 as a pixel of a side `size` pixels long
// (-1 is the first pixel, 1 just past the last); `flip` for y, which runs
// from 1 at the top to -1 at the bottom.
int32_t PixelOf(float coordinate, int32_t size, bool flip) {
    const double unit = flip ? (1.0 - coordinate) * 0.5 : (coordinate + 1.0) * 0.5;
    const auto p = IntFloor(unit * size);
    return p ? *p : -1;
}

}  // namespace

CreditsParameters BoundCreditsParameters(double stars, double speed, double scrollStep) {
    CreditsParameters p;
    const auto n = CLng(std::isfinite(stars) ? std::clamp(stars, 10.0, 200.0) : 10.0);
    p.stars = n ? *n : 10;
    p.speed = static_cast<float>(std::isfinite(speed) ? std::clamp(speed, 0.0025, 0.25) : 0.0025);
    p.scrollStep =
        static_cast<float>(std::isfinite(scrollStep) ? std::clamp(scrollStep, 0.5, 10.0) : 0.5);
    return p;
}

void XorDot(uint32_t* pixels, int32_t width, int32_t height, int32_t stride, int32_t x, int32_t y,
            int32_t diameter) {
    if (pixels == nullptr) return;
    const auto invert = [&](int32_t px, int32_t py) {
        if (px < 0 || py < 0 || px >= width || py >= height) return;
        pixels[static_cast<size_t>(py) * static_cast<size_t>(stride) + static_cast<size_t>(px)] ^=
            0x00FFFFFFu;
    };
    if (diameter <= 1) {
        invert(x, y);
        return;
    }
    const int32_t d = std::min(diameter, kLargestDot);
    // The pixels whose centres lie within the dot's circle.
    const double r = d * 0.5;
    const int32_t reach = d / 2;
    for (int32_t dy = -reach; dy <= reach; ++dy) {
        for (int32_t dx = -reach; dx <= reach; ++dx) {
            if (dx * dx + dy * dy <= r * r) invert(x + dx, y + dy);
        }
    }
}

void Starfield::Start(uint32_t* pixels, int32_t width, int32_t height, int32_t stride,
                      int32_t stars, float speed) {
    pixels_ = pixels;
    width_ = width;
    height_ = height;
    stride_ = stride;
    speed_ = speed;
    stars_.assign(static_cast<size_t>(std::max(0, stars) + 1), Star{});
    for (Star& s : stars_) {
        Reborn(s);
        Draw(s);
    }
}

void Starfield::Reborn(Star& star) {
    star.x = rng_.Next() * 2.0f - 1.0f;
    star.y = rng_.Next() * 2.0f - 1.0f;
    star.z = 1.0f;
    star.px = star.x;
    star.py = star.y;
}

void Starfield::Draw(const Star& star) {
    // The pen grows as the star comes closer: Int(1 / z) pixels.
    const auto width = IntFloor(1.0 / static_cast<double>(star.z));
    XorDot(pixels_, width_, height_, stride_, PixelOf(star.px, width_, false),
           PixelOf(star.py, height_, true), width ? *width : 1);
}

void Starfield::Frame() {
    for (Star& s : stars_) {
        Draw(s);  // erases it
        s.z -= speed_;
        if (s.z < 0.02f) {
            Reborn(s);
        } else {
            s.px = s.x / s.z;
            s.py = s.y / s.z;
            if (s.px < -1.0f || s.px > 1.0f || s.py < -1.0f || s.py > 1.0f) Reborn(s);
        }
        Draw(s);
    }
}

void Starfield::EraseAll() {
    for (const Star& s : stars_)
        Draw(s);
    stars_.clear();
}

double NextCreditsTop(double top, double step, int32_t textHeight, int32_t frameHeight) {
    top -= step;
    if (top < -static_cast<double>(textHeight)) top = frameHeight;
    return top;
}

}  // namespace orrelume
