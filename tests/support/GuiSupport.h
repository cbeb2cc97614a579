// Helpers for GUI tests: the suite runs inside one wx application under Xvfb, with an
// active event loop so that windows map, paint and get idle events.
#pragma once

#include <chrono>
#include <functional>
#include <string>

class wxWindow;

namespace tessary::testing {

// Dispatches pending events and idle passes for about the given time.
void PumpEvents(std::chrono::milliseconds duration = std::chrono::milliseconds(200));
// Dispatches events until done() is true or the timeout passes; returns done().
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
// Saves a picture of the whole screen to path (ImageMagick's import); for a person to
// look at, never asserted on.
void SaveScreenshot(const std::string& path);

}  // namespace tessary::testing
