#include "engine/half_turn.h"

#include <cmath>

namespace orrelume {

namespace {

struct Tables {
    HalfTurnTable cosines{};
    HalfTurnTable sines{};
    Tables() {
        const float pi = 3.1415927f;
        for (int i = 0; i <= kHalfTurnSteps; ++i) {
            const double angle = static_cast<double>(i) * pi / kHalfTurnSteps;
            cosines[i] = static_cast<float>(std::cos(angle));
            sines[i] = static_cast<float>(std::sin(angle));
        }
    }
};

const Tables& Get() {
    static const Tables tables;
    return tables;
}

}  // namespace

const HalfTurnTable& HalfTurnCos() {
    return Get().cosines;
}
const HalfTurnTable& HalfTurnSin() {
    return Get().sines;
}

}  // namespace orrelume
