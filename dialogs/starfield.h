// The credits window's flying starfield, drawn without a window into a
// 32-bit picture: stars start at depth 1 anywhere in the square from -1 to
// 1 and come towards the viewer; each is drawn by inverting its pixels
// (exclusive-or with white), so that drawing it a second time at the same
// place erases it and leaves whatever was there before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/random.h"

namespace orrelume {

// The three parameters of the credits window, each kept within its range:
// the star count 10 to 200, the star speed 0.0025 to 0.25 and the scroll
// step of the credits text 0.5 to 10 pixels a frame.
struct CreditsParameters {
    int32_t stars = 150;
    float speed = 0.005f;
    float scrollStep = 2.0f;
};
CreditsParameters BoundCreditsParameters(double stars, double speed, double scrollStep);

// Inverts a round dot `diameter` pixels across centred on (x, y) in a
// picture of `width` x `height` pixels (`stride` pixels a row); a diameter
// of 1 or less is the one pixel. Pixels outside the picture are left out.
void XorDot(uint32_t* pixels, int32_t width, int32_t height, int32_t stride, int32_t x, int32_t y,
            int32_t diameter);

class Starfield {
  public:
    explicit Starfield(uint64_t seed) : rng_(seed) {}

    // Begins afresh on a black picture (the caller clears it): star count +
    // 1 new stars, each drawn once. The picture must outlive the frames.
    void Start(uint32_t* pixels, int32_t width, int32_t height, int32_t stride, int32_t stars,
               float speed);
    // One frame: every star is erased, moved towards the viewer by the
    // speed (reborn at the back once it leaves the square or comes closer
    // than 0.02), and drawn again.
    void Frame();
    // Erases every star, leaving the picture as Start found it.
    void EraseAll();

    size_t StarCount() const { return stars_.size(); }

  private:
    struct Star {
        float x = 0, y = 0, z = 1;
        float px = 0, py = 0;  // projected: x / z, y / z
    };
    void Reborn(Star& star);
    void Draw(const Star& star);

    Random rng_;
    std::vector<Star> stars_;
    uint32_t* pixels_ = nullptr;
    int32_t width_ = 0, height_ = 0, stride_ = 0;
    float speed_ = 0.005f;
};

// Where the top of the credits text goes next: up by the step; once the
// whole text has gone above the frame it starts again at the frame's bottom
// edge.
double NextCreditsTop(double top, double step, int32_t textHeight, int32_t frameHeight);

}  // namespace orrelume
