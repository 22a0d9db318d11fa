#pragma once
// Everything the game uses of the platform: one include for screens and engine code.
//
// The platform is cut into rooms, each reading only the rooms below it:
//   base/      errors, text, random numbers, byte streams, file reports, the data folder,
//              settings files, raw folder listings
//   session/   the run's options and flip count, the clock, the journal of outside facts,
//              the rig's trace
//   pixels/    pixmaps in memory and in PNG/JPEG files
//   video/     the display, render state, textures, batching, primitives, letterbox
//   pictures/  images, fonts and pixel-exact collisions, drawn through video
//   sound/     channels, decoding, the mixer and its limiter
//   input/     keyboard, mouse, controllers and the rig's script into one input state
// and, above them all, frame.h (the end of a frame) and Startup/Shutdown here.
#include "platform/base/errors.h"
#include "platform/base/random.h"
#include "platform/base/stream.h"
#include "platform/base/system.h"
#include "platform/base/text.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"
#include "platform/pixels/pixmap.h"
#include "platform/session/clock.h"
#include "platform/session/folders.h"
#include "platform/session/journal_reader.h"
#include "platform/session/run.h"
#include "platform/session/trace.h"
#include "platform/sound/sound.h"
#include "platform/video/letterbox.h"
#include "platform/video/message_box.h"
#include "platform/video/render.h"

#include <memory>

namespace platform {
// Starts SDL (video hints, audio device or silent mixer) and applies the run's options;
// a follower of a live stream (online play) gives the stream its session replays.
void Startup(const session::Options& options, std::unique_ptr<journal::ByteSource> stream = nullptr);
// Closes the display and the audio device.
void Shutdown();
}  // namespace platform
