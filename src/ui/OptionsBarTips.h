// The tooltips of the options bar: what each list, field and button is for, since the bar
// itself shows only "+", "X" and "*".
#pragma once

namespace tessary {

class OptionsBar;

// Gives every control of the bar its tooltip.
void AddOptionsBarTips(OptionsBar& bar);

}  // namespace tessary
