#pragma once
// The sound manager: every effect of sfx/ loaded once, played by name at the effects
// volume, plus the two volume settings (effects and music) that the options screen
// changes and the music players read.
//
// There is one manager for the whole run. Start-up makes it with
// TGestorSonido::CreateGlobal() (after the tile pictures and the explanation screen's
// resources, before the minigames' resources); every screen reaches it through
// gestorSonido(). Until CreateGlobal runs, gestorSonido() hands out an empty manager
// with the default volumes, so code run outside the game (tests, tools) plays nothing
// instead of failing.
#include "platform/sound/sound.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class TGestorSonido;
using TGestorSonidoPtr = std::shared_ptr<TGestorSonido>;

class TGestorSonido {
   public:
    int32_t _soundVolume = 70;  // effects volume, percent (not clamped)
    int32_t _musicVolume = 90;  // music volume, percent (not clamped)
    // "sfx/" + file name exactly as listed -> sound (nullptr when the file did not load).
    std::map<std::string, TSoundPtr> _audioTable;

    // Stores the sound under the name, replacing an earlier one.
    void insertar(const std::string& nombre, TSoundPtr sonido);
    // Plays the sound stored under the name (exact, case-sensitive key) on a new channel
    // and sets that channel's volume to the effects volume. A name with no sound plays
    // nothing and returns nullptr.
    TChannelPtr reproducir(const std::string& nombre);
    float getMusicVolume() const;  // _musicVolume / 100
    float getSoundVolume() const;  // _soundVolume / 100
    void setSoundVolume(int percent);
    void setMusicVolume(int percent);

    // A new manager filled with every *.wav (extension in any case) of sfx/ relative to
    // the working directory, keyed "sfx/<name>". No folder gives an empty table.
    static TGestorSonidoPtr Create();

    // Start-up: makes the game's one manager with Create() and installs it.
    static void CreateGlobal();
};

// The game's one sound manager (see the note at the top of this file).
TGestorSonido& gestorSonido();
// Installs a manager as the game's one (tests use it to put a prepared manager in place).
// nullptr goes back to the empty stand-in.
void setGestorSonido(TGestorSonidoPtr gestor);
