#pragma once

#include "lumaro/model/LumaroContext.h"
#include "lumaro/player/ExervaEngine.h"

#include "exerva/ExervaContext.h"

namespace lumaro_test {

// The real engine's state for one test. A fixture takes this as its first
// base, so that the state outlives the model whose engines use it, and calls
// playOnRealEngine once its context exists.
class RealEngine {
protected:
    void playOnRealEngine(lumaro::LumaroContext& context)
    {
        lumaro::ExervaEngine::install(context, engineContext, exerva::systemControlRegistry());
    }

    exerva::ExervaContext engineContext;
};

}  // namespace lumaro_test
