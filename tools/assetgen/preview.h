#pragma once
// Review sheets in the preview folder: a contact sheet of every picture and, for each of
// the five looks, the key frames of animations 0 to 15 drawn from the written animation
// set and pack (loaded back with the game's own readers).
#include <string>

namespace assetgen {

void WriteContactSheet(const std::string& previewDir);
void WriteAnimationSheets(const std::string& previewDir);

}  // namespace assetgen
