#include "app/aplicacion.h"

#include "app/menu_molon.h"
#include "app/resolucion.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/platform.h"

#include <SDL2/SDL.h>

namespace {
constexpr int kMenu = -1, kJugar = 0, kPractica = 1, kOpciones = 2, kCreditos = 3, kSalir = 4;
const char* const kSinDriver = "Driver grafico no disponible (OpenGL)";

void setMusicVolume(const TChannelPtr& channel) {
    if (channel) channel->SetVolume(gestorSonido().getMusicVolume());
}
}  // namespace

void TAplicacion::cargarRecursosFijos() {
    TGestorSonido::CreateGlobal();
    TMenuMolon::cargarRecursos();
}

void TAplicacion::abrirPantalla() {
    Resolucion r = leerResolucion();
    if (!GLMax2DDriverAvailable()) throw GameError(kSinDriver);
    SetGraphicsDriverFlags(2);
    // A size the screen cannot show falls back to 1024x768, then to the desktop size.
    bool open = r.ancho > 0 && r.alto > 0 && Graphics(r.ancho, r.alto, 32, 60, 0);
    if (!open) open = Graphics(1024, 768, 32, 60, 0);
    if (!open) {
        SDL_DisplayMode desktop;
        if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) open = Graphics(desktop.w, desktop.h, 32, 60, 0);
    }
    if (!open) throw GameError(kSinDriver);
    GL::projection(1024, 768);
}

void TAplicacion::cargarPersonajes() {
    // The animation set and the five graphics packs arrive with the skeletal libraries.
}

int TAplicacion::start() {
    cargarRecursosFijos();
    abrirPantalla();
    const auto& options = rig::Current();
    SeedRnd(options.seed ? *options.seed : Millisecs());
    cargarPersonajes();
    FlushKeys();
    menu = TMenuMolon::Create();
    musicaMenu = LoadSound("music/menu.ogg", 3);
    musicaTablero = LoadSound("music/tablero.ogg", 3);

    int state = kMenu;
    canalMenu.reset();
    while (state != kSalir) {
        switch (state) {
            case kMenu: state = menuPrincipal(); break;
            case kJugar: state = partida(); break;
            case kPractica: state = practica(); break;
            case kOpciones:
            case kCreditos:
            default: state = kMenu; break;
        }
    }
    return 0;
}

int TAplicacion::menuPrincipal() {
    if (!canalMenu || !canalMenu->Playing()) canalMenu = PlaySound(musicaMenu);
    setMusicVolume(canalMenu);
    int result = menu->start();
    if ((result == kJugar || result == kSalir) && canalMenu) canalMenu->Stop();
    return result;
}

int TAplicacion::partida() {
    TChannelPtr canal = PlaySound(musicaTablero);
    setMusicVolume(canal);
    SetColor(255, 255, 255);
    // The board match arrives with the board game; until then "Jugar" returns here.
    if (canal) canal->Stop();
    return kMenu;
}

int TAplicacion::practica() {
    // The practice menu arrives with the side screens; until then it returns to the menu.
    return kMenu;
}
