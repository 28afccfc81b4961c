#include "driver/host_state.h"

namespace orrelume {

HostState& ProcessHostState() {
    static HostState state;
    return state;
}

}  // namespace orrelume
