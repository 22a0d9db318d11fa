#pragma once
// Start-up and the top-level state machine. The states are the main menu's entry
// indices: -1 main menu, 0 board game, 1 practice menu, 2 options, 3 credits, 4 leave.
#include "platform/sound.h"

#include <memory>

class TMenuMolon;

class TAplicacion {
public:
    // Start-up step by step, then the top-level loop until "Salir". Returns the exit
    // code (0). Throws GameError when the display or a shared resource cannot be had.
    int start();

    // Every screen's fixed resources, in the game's creation order (before the display).
    static void cargarRecursosFijos();

private:
    void abrirPantalla();
    void cargarPersonajes();
    int menuPrincipal();
    int partida();
    int practica();

    std::unique_ptr<TMenuMolon> menu;
    TSoundPtr musicaMenu;     // music/menu.ogg, looping
    TSoundPtr musicaTablero;  // music/tablero.ogg, looping
    TChannelPtr canalMenu;    // the channel the menu music last started on
};
