#include "SharedState.h"

namespace zeror {

SharedState& sharedState()
{
    static SharedState state;
    return state;
}

} // namespace zeror
