// Universe creation: the expansion phase in which a cloud of particles in the
// shape of the profile type flies out from the centre and is captured, star
// by star, by the galaxies; and the preparation of the galaxy instances.
#pragma once

#include <cstdint>

#include "engine/generate.h"

namespace orrelume {

struct EngineState;
struct UniverseState;
class FrameControl;

// Where the galaxy instances take their types from.
struct InstanceSource {
    enum Kind {
        FixedType,  // every instance gets type `value`
        SlotList,   // instance i gets the slot the galaxies already hold
        Composite,  // instance 0 gets every member of composite `value`
    };
    Kind kind = FixedType;
    int value = 0;
};

// Sizes the per-instance style data, resets every type for a new universe
// and prepares the style data of every instance.
void PrepareGalaxyInstances(EngineState& state, int32_t count, InstanceSource source);
// The style data of one type for one instance.
void PrepareInstanceStyle(EngineState& state, int type, int instance);

// One particle of a type's shape, scaled to the expansion speed and tilted
// like the type. Mode 0: at the origin, moving with s1 x point; mode 1: at
// s1 x point, moving with s2 x position; mode 2: at s1 x point, at rest.
void GenerateShapeParticle(EngineState& state, ShapePoint& position, ShapePoint& velocity, int type,
                           float s1, float s2, int mode);

// Gives particle i of a particle set (arrays posX..velZ) a place and a
// velocity from GenerateShapeParticle.
template <typename Particles>
void PlaceShapeParticle(EngineState& state, Particles& p, int32_t i, int type, float s1, float s2,
                        int mode) {
    ShapePoint pos, vel;
    GenerateShapeParticle(state, pos, vel, type, s1, s2, mode);
    p.posX[i] = pos.x;
    p.posY[i] = pos.y;
    p.posZ[i] = pos.z;
    p.velX[i] = vel.x;
    p.velY[i] = vel.y;
    p.velZ[i] = vel.z;
}

// The expansion phase in its parts: the set-up (particles, galaxy slots and
// instances), one step (one frame), and the capture of what is left.
struct CreationRun {
    int profile = 0;
    int32_t steps = 1;    // E
    int32_t quarter = 0;  // no particle leaves the cloud before this step
    float damp = 1;       // velocity factor of the current step
};
CreationRun BeginCreation(UniverseState& universe, int profileType);
void ExpansionStep(UniverseState& universe, CreationRun& run, int32_t step);
void FinishCreation(UniverseState& universe);

// Runs the whole expansion phase of a universe shaped by `profileType`.
// Returns early when the frame loop says stop, or (after capturing every
// particle) when a restart is asked for.
void CreateUniverse(UniverseState& universe, int profileType, FrameControl& frames);

}  // namespace orrelume
