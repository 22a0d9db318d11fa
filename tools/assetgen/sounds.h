#pragma once
// The sound effects of sfx/ and the three tunes of music/.
namespace assetgen {

void WriteEffects();  // synthesised effects and jingles
void WriteVoices();   // spoken clips (espeak-ng) and the hum
void WriteMusic();    // menu, board and title tunes

}  // namespace assetgen
