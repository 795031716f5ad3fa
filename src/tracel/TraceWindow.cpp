#include "TraceWindow.h"

namespace tracel {

namespace {

TraceWindow::Maker& installedMaker()
{
    static TraceWindow::Maker maker;
    return maker;
}

}  // namespace

void TraceWindow::setMaker(Maker maker)
{
    installedMaker() = std::move(maker);
}

std::unique_ptr<TraceWindow> TraceWindow::make()
{
    const Maker& maker = installedMaker();
    return maker ? maker() : nullptr;
}

}  // namespace tracel
