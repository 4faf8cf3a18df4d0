// What the diagnosis asks about the window in front besides what the tick asked: kept apart
// from the tick, so that none of it costs anything while nobody looks.
#pragma once

#include "monitor/desktop.h"
#include "monitor/observation.h"

namespace ruvano {

// Fills in the program, the classes, how the focused control's IME window is found and its
// raw answers, the caret and the monitor's DPI for seen.front. Waits for the program in
// front as the tick's own IME query does, at most twice.
void DescribeFront(IDesktop& desktop, Observation& seen) noexcept;

}  // namespace ruvano
