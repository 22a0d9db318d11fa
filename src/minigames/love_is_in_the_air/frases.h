#pragma once
// Which phrases "Love is in the air" offers: the originals (crude jokes among them) or
// gentle ones of the same count, for playing with the family. The choice is made on the
// options screen and kept in frases.cfg among the settings files: one word, "originales"
// (the default, also for a missing or unreadable file) or "suaves".
#include <array>
#include <string>

namespace frases {

constexpr int kCuantas = 15;
using Lista = std::array<std::string, kCuantas>;

// The original phrases and the gentle ones, line for line: the polite ones (every third,
// from the first) are the same in both, so the game plays the same.
const Lista& originales();
const Lista& suaves();

// Whether the gentle phrases are chosen: the options screen's choice in this run, else
// frases.cfg. A fact of the session: journaled, and a journal recorded before the setting
// existed plays with the originals.
bool suavesElegidas();
// The list the minigame shows now.
const Lista& enJuego();

// The options screen's choice, for the rest of the run; saved in frases.cfg, except in a
// replay or while following a host, which never write settings.
void elegirSuaves(bool suaves);

// The word saved for a choice, and the choice a word means (false for anything else).
std::string palabra(bool suaves);
bool esSuave(const std::string& palabra);

}  // namespace frases
