#pragma once
// A small data folder for screen tests: the game font and the characters' animation set
// and packs (from the data build),
// plain pictures of known sizes and short looping sounds under the names the screens
// load, so the tests see every picture and sound whatever the asset build has made yet.
#include <string>

namespace datos {

// Makes the folder FK_TEST_WORK/<nombre>, fills it and makes it the working directory
// until testrig::Stop.
void Preparar(const std::string& nombre);
// A w x h grey PNG (the loaders read by content, so a ".jpg" name is fine too).
void Imagen(const std::string& ruta, int w, int h);
// A tenth of a second of quiet stereo 16-bit WAV (a ".ogg" name is fine too).
void Sonido(const std::string& ruta);

}  // namespace datos
