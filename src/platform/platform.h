#pragma once
// Everything the game uses of the platform: one include for screens and engine code.
#include "clock.h"
#include "errors.h"
#include "font.h"
#include "image.h"
#include "input.h"
#include "letterbox.h"
#include "pixmap.h"
#include "random.h"
#include "render.h"
#include "rig.h"
#include "sound.h"
#include "stream.h"
#include "system.h"
#include "text.h"

namespace platform {
// Starts SDL (video hints, audio device or silent mixer) and applies the rig options.
void Startup(const rig::Options& options);
// Closes the display and the audio device.
void Shutdown();
}  // namespace platform
