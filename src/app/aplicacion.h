#pragma once
// Start-up and the top-level state machine. The states are the main menu's entry
// indices: -1 main menu, 0 board game, 1 practice menu, 2 options, 3 credits, 4 leave.
#include "platform/sound/sound.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <array>
#include <memory>
#include <optional>

class TEquipo;
class TJuego;
struct TPartidaGuardada;
class TIntroduccionAnal;
class TMenuMolon;

class TAplicacion {
   public:
    TAplicacion();
    ~TAplicacion();  // out of line: the screens it owns are incomplete here
    // Start-up step by step, then the top-level loop until "Salir". Returns the exit
    // code (0). Throws GameError when the display or a shared resource cannot be had.
    int start();

    // Every screen's fixed resources, in the game's creation order (before the display).
    static void cargarRecursosFijos();

   private:
    void abrirPantalla();
    void cargarPersonajes();
    int menuPrincipal();
    // A match, new or resumed from its save.
    int partida(bool continuar);
    // Plays a match made: pausable, saved at each turn's start, ending on the podium.
    void jugarPartida(TJuego& juego, const std::optional<TPartidaGuardada>& guardada);
    int practica();
    int opciones();
    int creditos();
    // The one place where a minigame (0 to 4) is made and played, for a match or for
    // practice; returns its result once it has ended and its resources are given back.
    int jugarMinijuego(int numero, const TEquipo& equipo);

    VBAPtr animaciones;            // anim/pjs.vba, shared by every figure
    std::array<VGPPtr, 5> packs;   // Tarsun, Er_Varsen, Quelbido, Pexil, the girl
    std::unique_ptr<TIntroduccionAnal> intro;
    std::unique_ptr<TMenuMolon> menu;
    TSoundPtr musicaMenu;     // music/menu.ogg, looping
    TSoundPtr musicaTablero;  // music/tablero.ogg, looping
    TChannelPtr canalMenu;    // the channel the menu music last started on
    // The rules' version (1 .. 4), which decides the short and long boards: journals of
    // earlier rules keep theirs (TIPO_CORTO_14 and TIPO_LARGO_36, then TIPO_CORTO_11).
    int reglas = 4;
    // A match can be paused, and ends on the podium. Journals from before the pause have
    // no such rule: they replay with Escape ending the match, as it did when they were made.
    bool reglasConPausa() const { return reglas >= 2; }
};
