#include "ExervaEngine.h"

#include "lumaro/model/LumaroContext.h"

#include "platform/QtWindowSystem.h"

namespace lumaro {

ExervaEngine::ExervaEngine(exerva::ExervaContext& context, const exerva::ControlRegistry& controls,
                           const platform::Clock& clock)
    : manager_(context, controls, clock)
{
}

void ExervaEngine::install(LumaroContext& context, exerva::ExervaContext& engineContext,
                           const exerva::ControlRegistry& controls)
{
    const platform::Clock& clock = context.clock();
    context.engineFactory = [&engineContext, &controls, &clock] {
        return std::make_shared<ExervaEngine>(engineContext, controls, clock);
    };
    context.windows = std::make_shared<platform::QtWindowSystem>();
}

}  // namespace lumaro
