#pragma once

#include <QEventLoop>

#include <chrono>
#include <functional>

namespace platform {

// Runs this thread's event loop until done() holds or the time-out has passed
// (measured on the monotonic clock), and returns done(). done() is looked at
// first and after each batch of events; the loop sleeps between events, never
// spins. Anything may run during the wait, calls that re-enter the caller
// included: after it, check that the objects in use still exist. The flags
// say which events are handled meanwhile (user input may be held back).
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

}  // namespace platform
