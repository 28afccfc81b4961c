#include "driver/universe_values.h"

#include <algorithm>
#include <cmath>

#include "engine/star_table.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

int32_t Bound(int32_t value, int32_t low, int32_t high) {
    return std::clamp(value, low, high);
}

float BoundF(float value, float low, float high) {
    if (!(value >= low)) return low;  // NaN runs as the lower bound
    return value > high ? high : value;
}

int32_t RoundBound(float value, int32_t low, int32_t high) {
    const auto v = CLng(value);
    if (!v) return value > 0 ? high : low;
    return std::clamp(*v, low, high);
}

}  // namespace

void ParseTourGalaxyList(std::string_view text, std::vector<int16_t>& list, size_t capacity) {
    list.clear();
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) return;
    size_t start = 0;
    while (start <= trimmed.size()) {
        size_t end = trimmed.find(' ', start);
        if (end == std::string::npos) end = trimmed.size();
        const std::string_view token(trimmed.data() + start, end - start);
        start = end + 1;
        if (token.empty()) continue;
        const auto value = ParseNumeric(token);
        if (!value || !(*value > 0) || *value > 66) continue;
        const auto slot = CInt(*value);
        if (!slot || *slot < 1) continue;
        if (list.size() >= capacity) break;
        list.push_back(static_cast<int16_t>(*slot - 1));
    }
}

void ReduceUniverseSettings(UniverseSettings& universe) {
    const auto stars = CLng(universe.stars * 0.65);
    if (stars) universe.stars = *stars;
    const auto ambient = CInt(universe.amStar * 0.5);
    if (ambient) universe.amStar = *ambient;
}

RunValues NormaliseUniverseValues(const UniverseSettings& u) {
    RunValues v;
    v.stars = Bound(u.stars, 10, kMaxStars);
    v.galaxies = Bound(u.galaxy, 1, kMaxGalaxies);
    v.trail = std::min(Bound(u.sTrail, 1, 99), kMaxStars / v.stars);
    v.expandSpeed = BoundF(u.expand, 0, 99999) * 0.001f;
    v.eSteps = Bound(u.eSteps, 1, 9999);
    v.persist = BoundF(u.persist, 0.25f, 1);
    v.dampingFactor = (1 - BoundF(u.damping, 0, 1)) * 0.5f + 0.5f;
    v.profile = Bound(u.profile, 0, 51);
    v.recycle = Bound(u.recycle, 1, 999);
    v.newFreq = Bound(u.newFreq, 0, 9999);
    v.newPct = static_cast<float>(RoundBound(static_cast<float>(u.newPctStEx), 0, 100) * 0.01);
    v.tour = u.tour != 0;
    v.gSteps = Bound(u.gSteps, 1, 9999);
    v.gPCtrl = Bound(u.gPCtrl, 1, 999);
    v.gCCtrl = Bound(u.gCCtrl, 0, 999);
    v.dstCen = static_cast<float>(Bound(u.dstCen, 0, 999999) * 0.01);
    v.gVisit = u.gVisit != 0;
    v.amStar = Bound(u.amStar, 0, 3000);
    v.amFrames = Bound(u.amFrames, 0, 999);
    v.amMaxExt = static_cast<float>(RoundBound(u.amMaxExt, 1, 9999) * 0.01);
    v.amPers = BoundF(u.amPers, 0.25f, 1);
    v.amCAge = BoundF(u.amCAge, 0, 10);
    v.gravForce = static_cast<float>(BoundF(u.gravForce, 0, 999999) * 0.0000001);
    v.gravFrame = Bound(u.gravFrame, 1, 999);
    return v;
}

}  // namespace orrelume
