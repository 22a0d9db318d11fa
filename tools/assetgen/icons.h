#pragma once
// The desktop icons of the installed game.
#include <string>

namespace assetgen {

// Tarsun's happy face on a round green badge, drawn at each usual hicolor size into
// folder/hicolor/<size>x<size>/apps/<name>.png (drawn at each size, not scaled down).
void WriteIcons(const std::string& folder, const std::string& name);

}  // namespace assetgen
