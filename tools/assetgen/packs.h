#pragma once
// The animation set anim/pjs.vba and the five graphics packs, written with the game's
// own SaveVBA and SaveVGP.
#include <string>

namespace assetgen {

void WriteAnimationSet();
void WritePacks();

}  // namespace assetgen
