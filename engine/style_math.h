// Small pieces shared by the structured styles (iterated maps, ribbons,
// starwaves, molecules): bounded random choices and the rigid turn of a
// structure by its type's spin phase.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/generate.h"
#include "engine/random.h"
#include "engine/star_table.h"

namespace orrelume {

// Int(u * count) for a fresh uniform u, kept within 0 .. count - 1 whatever
// the count holds (a count below 1 gives 0).
inline int RandomIndex(Random& rng, int32_t count) {
    if (count <= 1) {
        rng.Next();
        return 0;
    }
    const double i = std::floor(static_cast<double>(rng.Next()) * count);
    if (!(i >= 0)) return 0;
    return i >= count ? count - 1 : static_cast<int>(i);
}

// Int(u * count) for a given u, kept within 0 .. count - 1.
inline int32_t IndexOf(float u, int32_t count) {
    if (count <= 1) return 0;
    const double i = std::floor(static_cast<double>(u) * count);
    if (!(i >= 0)) return 0;
    return i >= count ? count - 1 : static_cast<int32_t>(i);
}

// A point of a structure turned about the galaxy axis by the type's running
// spin phase: where the rigidly turning structure now holds it.
inline ShapePoint TurnBySpinPhase(const TypeRuntime& rt, float x, float y, float z) {
    return {x * rt.spinPhaseCos - z * rt.spinPhaseSin, y,
            z * rt.spinPhaseCos + x * rt.spinPhaseSin};
}

// A point placed on a rigidly turning structure: the turned position, level
// 0, and the type's eightfold spin step as its own rotation.
inline StandardSample RigidSample(const TypeRuntime& rt, float x, float y, float z) {
    const ShapePoint p = TurnBySpinPhase(rt, x, y, z);
    StandardSample s;
    s.x = p.x;
    s.y = p.y;
    s.z = p.z;
    s.level = 0;
    s.spinCos = rt.spinCos8;
    s.spinSin = rt.spinSin8;
    s.omega = rt.spinRate8;
    return s;
}

// Stores a rigid sample as star `star`'s position and rotation step; returns
// the colour parameters of the structured styles (c1 = the spin).
inline ColourParams PlaceRigidStar(StarTable& st, int32_t star, const StandardSample& s) {
    st.posX[star] = s.x;
    st.posY[star] = s.y;
    st.posZ[star] = s.z;
    st.spinCos[star] = s.spinCos;
    st.spinSin[star] = s.spinSin;
    st.level[star] = 0;
    return {s.omega, 0.0f};
}

}  // namespace orrelume
