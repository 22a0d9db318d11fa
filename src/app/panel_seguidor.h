#pragma once
// A follower's own panel. At a machine that follows a host's match over the network, this
// machine's Escape (or Start on a controller plugged into it) opens it over the live
// picture, which goes on under it: a follower cannot pause its host. "Seguir" (or Escape,
// or Start, again) closes it; "Dejar la partida" asks once more, "No" chosen first, and
// "Si" leaves the match (the host gives the seat to a computer). While it is open, this
// machine's keys, mouse and controller work the panel, and none of them reach the host.
// It draws with the pause's page (engine/pausa.h), after the game's own drawing of each
// flip.
#include "engine/pausa.h"

#include <functional>
#include <optional>

union SDL_Event;

namespace red {

class TPanelSeguidor {
   public:
    // conAsiento: a player at a seat (else a spectator, who leaves only watching). dejar
    // runs once, when the player leaves; soltar when the panel opens, for the seat's
    // buttons held at the host to be let go.
    TPanelSeguidor(bool conAsiento, std::function<void()> dejar, std::function<void()> soltar);
    ~TPanelSeguidor();
    TPanelSeguidor(const TPanelSeguidor&) = delete;
    TPanelSeguidor& operator=(const TPanelSeguidor&) = delete;

    // An event of this machine (a key, the mouse, a controller's event as the game carries
    // it): true when the panel took it, because it is open or the event opened it.
    bool atender(const SDL_Event& e);
    bool abierto() const { return pagina.has_value(); }

   private:
    void abrir();
    void elegir(int opcion);
    void dibujar() const;

    bool conAsiento;
    std::function<void()> dejar, soltar;
    std::optional<pausa::TPanel> pagina;  // none: closed
    bool preguntando = false;             // the page is the question
    bool dejado = false;
};

}  // namespace red
