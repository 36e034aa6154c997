#pragma once
// Loading a UI effect from "Data/graphics/2D/effects/".
#include <string>

#include "platform/gfx/effect.h"

// The effect, or null without a device or when it does not compile. With showErrors the error
// text (warnings too) is shown in a message box and loading goes on.
gfx::Effect* loadUIEffect(const std::string& fileName, bool showErrors);
