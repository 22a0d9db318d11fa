#include "app/aplicacion.h"

#include "app/creditos_que_molan.h"
#include "app/introduccion_anal.h"
#include "app/jugadores.h"
#include "app/menu_molon.h"
#include "app/opciones_molonas.h"
#include "app/pantalla.h"
#include "app/partida_guardada.h"
#include "app/practica.h"
#include "app/resolucion.h"
#include "board/cerebro_tablero.h"
#include "board/equipo.h"
#include "board/juego.h"
#include "board/podio.h"
#include "board/resultado.h"
#include "engine/asiento/asiento.h"
#include "engine/asiento/cerebro.h"
#include "engine/asiento/ocupantes.h"
#include "engine/explicacion.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "engine/mapa.h"
#include "engine/pausa.h"
#include "minigames/catalogo.h"
#include "platform/base/settings.h"
#include "platform/frame.h"
#include "platform/platform.h"
#include "platform/base/random.h"
#include "platform/session/journal.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {
constexpr int kMenu = -1, kJugar = 0, kPractica = 1, kOpciones = 2, kCreditos = 3, kSalir = 4;
// The saved match, resumed: the menu's "Continuar partida".
constexpr int kContinuar = TMenuMolon::ELEGIDO_CONTINUAR;
const char* const kSinDriver = "Driver grafico no disponible (OpenGL)";

// The pictures loaded before the intro shows, in the order they load (the portraits three
// times: the explanations, the result and the intro each have their own).
std::vector<ImageAhead> imagenesDelArranque() {
    const int mip = FILTEREDIMAGE | MIPMAPPEDIMAGE;
    std::vector<ImageAhead> lista;
    for (int vez = 0; vez < 3; ++vez)
        for (int s = 0; s < asientos::NUM_ASIENTOS; ++s) lista.push_back({asientos::retrato(s), mip});
    for (const char* nombre :
         {"fondoraro.png", "fondomasraro.png", "corazon.png", "flecha-superior.png", "fondo-minijuego1.png",
          "manguera-hinchada.png", "fondillo4.png", "mesasola.png", "sillasola.png", "cd.png"})
        lista.push_back({std::string("artwork/") + nombre});
    lista.push_back({"artwork/ruleta-de-la-muerte.png", mip});
    lista.push_back({"artwork/ruleta-de-la-muerte-marcador.png", mip});
    for (const char* nombre :
         {"titulo.png", "7341logos.jpg", "trep-logo.jpg", "sondo-logo.jpg", "mirelo-logo.jpg",
          "fustel-logo.jpg", "intro-1.png", "intro-2.png", "intro-3.png", "intro-personajes.png"})
        lista.push_back({std::string("artwork/") + nombre});
    return lista;
}

void setMusicVolume(const TChannelPtr& channel) {
    if (channel) channel->SetVolume(gestorSonido().getMusicVolume());
}
}  // namespace

void TAplicacion::cargarRecursosFijos() {
    TMapa::cargarRecursos(casillasDeMiniJuegos());
    TExplicacion::cargarRecursos();
    pausa::cargarRecursos();
    TGestorSonido::CreateGlobal();
    cargarRecursosMiniJuegos();
    TResultado::cargarRecursos();
    TJuego::cargarRecursos();
    TPodio::cargarRecursos();
    TIntroduccionAnal::cargarRecursos();
    TMenuMolon::cargarRecursos();
    TCreditosQueMolan::cargarRecursos();
    TPractica::cargarRecursos();
    TOpcionesMolonas::cargarRecursos();
}

// What stands in for a resolution over the limit: the largest mode the first display
// offers (SDL lists it first), or 1024x768 headless and when none is known.
static Resolucion mayorResolucion() {
    Resolucion r;
    SDL_DisplayMode modo;
    if (!session::Current().headless && SDL_GetDisplayMode(0, 0, &modo) == 0 && modo.w > 0 && modo.h > 0) {
        r.ancho = std::min(modo.w, kAnchoMaximo);
        r.alto = std::min(modo.h, kAltoMaximo);
    }
    return r;
}

void TAplicacion::abrirPantalla() {
    Resolucion r = leerResolucion();
    // How the picture sits in the window is this player's choice, not a fact the game
    // plays by: a replay keeps the recording's line in its place but shows the session as
    // asked here.
    const Pantalla pantalla = leerPantalla();
    const bool aspecto = mantenerAspecto(pantalla);
    journal::Setting("mantener_aspecto", [&] { return aspecto ? "si" : "no"; });
    SetKeepAspect(aspecto);
    // Drawing small is how this machine shows the picture too: the option over the file.
    DrawSize dibujo = pantalla.dibujo;
    modoDeDibujo(session::Current().draw, dibujo);
    SetDrawSize(dibujo);
    if (!GLMax2DDriverAvailable()) throw GameError(kSinDriver);
    SetGraphicsDriverFlags(2);
    r = acotarResolucion(r, mayorResolucion(), settings::PathFor("resolucion.cfg"));
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

// The animation set, then the five packs in roster order; a missing or malformed file
// stops the program inside its loader, and the packs after it are not loaded.
void TAplicacion::cargarPersonajes() {
    InitTrigTables();
    packs = {};
    animaciones = VBA::LoadVBA("anim/pjs.vba");
    for (int s = 0; s < asientos::NUM_ASIENTOS; ++s)
        packs[static_cast<size_t>(s)] = VGP::LoadVGP(asientos::personaje(s).paquete, 6, 1);
    packs[asientos::NUM_ASIENTOS] = VGP::LoadVGP("anim/gorvia.vgp", 6, 1);  // the girl
}

TAplicacion::TAplicacion() = default;
TAplicacion::~TAplicacion() = default;

int TAplicacion::start() {
    // The intro's tune decodes on a worker, and the pictures on others, while the game's
    // thread loads the rest and opens the display.
    PrefetchSounds({"music/title.ogg"});
    PrefetchImages(imagenesDelArranque());
    cargarRecursosFijos();
    abrirPantalla();
    const auto& options = session::Current();
    const int32_t semilla = options.seed ? *options.seed : Millisecs();
    SeedRnd(semilla);
    // The computer players' own generator starts from the same seed; the game's stays its own.
    asientos::configurar(jugadoresDeLaSesion(options), static_cast<uint32_t>(semilla));
    // The rules this build plays by: 2 brought the pause and the podium, 3 short and long
    // boards measured against the eight minigames, 4 the short board of nine squares. A
    // journal keeps the rules it was made with; one from a later build plays by these.
    const std::string reglasDelDiario = journal::SettingSince("reglas", "1", [] { return std::string("4"); });
    reglas = reglasDelDiario == "1" ? 1 : reglasDelDiario == "2" ? 2 : reglasDelDiario == "3" ? 3 : 4;
    cargarPersonajes();
    intro = TIntroduccionAnal::Create();
    intro->start();
    FlushKeys();
    menu = TMenuMolon::Create();
    musicaMenu = LoadSound("music/menu.ogg", 3);
    musicaTablero = LoadSound("music/tablero.ogg", 3);

    int state = kMenu;
    canalMenu.reset();
    while (state != kSalir) {
        switch (state) {
            case kMenu: state = menuPrincipal(); break;
            case kJugar: state = partida(false); break;
            case kContinuar: state = partida(true); break;
            case kPractica: state = practica(); break;
            case kOpciones: state = opciones(); break;
            case kCreditos: state = creditos(); break;
            default: state = kMenu; break;
        }
    }
    return 0;
}

int TAplicacion::menuPrincipal() {
    if (!canalMenu || !canalMenu->Playing()) canalMenu = PlaySound(musicaMenu);
    setMusicVolume(canalMenu);
    const bool continuar = reglasConPausa() && guardado::hayPartida();
    int result = menu->start(continuar);
    if ((result == kJugar || result == kContinuar || result == kSalir) && canalMenu) canalMenu->Stop();
    return result;
}

int TAplicacion::partida(bool continuar) {
    std::optional<TPartidaGuardada> guardada;
    if (continuar) {
        guardada = guardado::cargar();
        if (!guardada) return kMenu;  // gone or damaged since the menu showed (said)
        // Who played when it was saved plays again, at that level and length.
        asientos::cambiarEleccion(jugadoresDeTexto(guardada->jugadores));
        // The same generator makes the same board.
        SeedRnd(guardada->semillaTablero);
    }
    TChannelPtr canal = PlaySound(musicaTablero);
    setMusicVolume(canal);
    SetColor(255, 255, 255);
    // The match's minigame kinds are these catalogue numbers; it plays their squares
    // through the launcher, a fresh minigame every time.
    const std::vector<int> juegos = miniJuegosDelTablero(miniJuegosDeLaPartida());
    std::vector<int> tiles;
    for (int r : juegos) tiles.push_back(catalogo()[static_cast<size_t>(r)].tile);
    auto lanzador = [this, juegos](int tipo, const TEquipo& equipo) {
        return jugarMinijuego(juegos.at(static_cast<size_t>(tipo)), equipo);
    };
    const asientos::Duracion duracion = asientos::eleccion().duracion;
    const int tipo = guardada                                  ? guardada->tipo
                     : duracion == asientos::Duracion::corta
                         ? (reglas <= 2 ? TJuego::TIPO_CORTO_14
                            : reglas == 3 ? TJuego::TIPO_CORTO_11
                                          : TJuego::TIPO_CORTO)
                     : duracion == asientos::Duracion::larga
                         ? (reglas <= 2 ? TJuego::TIPO_LARGO_36 : TJuego::TIPO_LARGO)
                         : TJuego::TIPO_NORMAL;
    if (auto juego = TJuego::Create(4, tipo, animaciones, packs, lanzador, tiles)) {
        asientos::TCerebroActivo cerebro(crearCerebroTablero(*juego));
        std::string error;
        if (guardada && !guardada->aplicar(*juego, error)) {
            std::fprintf(stderr, "%s: %s\n", TPartidaGuardada::ARCHIVO, error.c_str());
            guardado::borrar();
        } else {
            if (guardada) guardada->alinearReloj();
            jugarPartida(*juego, guardada);
        }
    }
    ReturnFreeMemory();  // the board and its pictures are gone now
    if (canal) canal->Stop();
    return kMenu;
}

void TAplicacion::jugarPartida(TJuego& juego, const std::optional<TPartidaGuardada>& guardada) {
    std::optional<pausa::TPausable> pausable;
    if (reglasConPausa()) {
        pausable.emplace(pausa::Tipo::Partida);
        juego.clasificacion = true;
        bool primero = true;
        juego.alEmpezarTurno = [&guardada, primero](TJuego& j) mutable {
            // A turn's start is where a saved match resumes: nothing from before it may
            // shape what follows, the software pacing's schedule included.
            if (primero && guardada) guardada->reanudarReloj(j);
            primero = false;
            frame::ResetPacing();
            guardado::guardar(j);
        };
    }
    bool dejada = false;
    try {
        juego.start();
    } catch (const pausa::TAbandono&) {
        dejada = true;  // left from the pause panel: straight back to the main menu
    }
    pausable.reset();
    // A match left before its end ends the demo: the person takes the menu over.
    if (juego.ganado < 0) asientos::pararDemo();
    if (!reglasConPausa()) return;
    // An ended or abandoned match leaves nothing to resume.
    if (dejada || juego.ganado >= 0) guardado::borrar();
    if (juego.ganado >= 0) TPodio::Create(juego)->show();
}

// The practice menu, and the minigame chosen in it between the two musics. "Volver" goes
// back to the main menu with the menu music still playing.
int TAplicacion::practica() {
    const int r = TPractica::Create()->start();
    if (r < 0 || r >= numMiniJuegos()) return kMenu;  // "Volver"

    if (canalMenu) canalMenu->Stop();
    SetColor(255, 255, 255);
    SetClsColor(255, 255, 255);
    Cls();
    SetClsColor(0, 0, 0);
    SetScale(1, 1);
    TChannelPtr canal = PlaySound(musicaTablero);
    // Practice games play their music at the chosen music volume, like the board game.
    setMusicVolume(canal);

    {
        std::optional<pausa::TPausable> pausable;
        if (reglasConPausa()) pausable.emplace(pausa::Tipo::Practica);
        try {
            jugarMinijuego(r, *TEquipo::Create(4));  // with no minigame of that number, straight back
        } catch (const pausa::TAbandono&) {
            // Left from the pause panel: back to the practice menu.
        }
    }

    if (canal) canal->Stop();
    SetColor(255, 255, 255);
    SetScale(1, 1);
    SetAlpha(1);
    FlushKeys();
    FlushMouse();
    // The menu music starts again from its beginning for the practice menu.
    canalMenu = PlaySound(musicaMenu);
    setMusicVolume(canalMenu);
    return kPractica;
}

int TAplicacion::jugarMinijuego(int numero, const TEquipo& equipo) {
    int resultado = 0;
    {
        // Its pictures decode on workers while its explanation shows, and rest after it,
        // also when it is left from the pause panel.
        despertarRecursosMiniJuego(numero);
        struct Reposo {
            int numero;
            ~Reposo() { dormirRecursosMiniJuego(numero); }
        } reposo{numero};
        if (std::unique_ptr<TMiniJuego> juego = crearMiniJuego(numero, animaciones, packs)) {
            asientos::TCerebroActivo cerebro(crearCerebroMiniJuego(*juego));
            resultado = juego->jugar(equipo);
        }
    }
    ReturnFreeMemory();  // the minigame's resources are gone now
    return resultado;
}

int TAplicacion::opciones() {
    return TOpcionesMolonas::Create()->start();
}

int TAplicacion::creditos() {
    return TCreditosQueMolan::Create()->start();
}
