#include "support/jugada_cpu.h"

#include "board/equipo.h"
#include "engine/explicacion.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "minigames/acicalandose/mini_juego1.h"
#include "minigames/apagon/mini_juego6.h"
#include "minigames/catalogo.h"
#include "minigames/compilando/mini_juego7.h"
#include "minigames/escondite_coder/mini_juego4.h"
#include "minigames/guerra_bolas_papel/mini_juego8.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "minigames/no_te_mojes/mini_juego2.h"
#include "platform/base/system.h"
#include "platform/platform.h"
#include "platform/video/render.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

namespace jugadacpu {
namespace {
VBAPtr animaciones;
TPaquetes paquetes;
std::filesystem::path carpetaPrevia;

// Watches a play frame by frame (after the computers, before the frame's input) and
// keeps the counts a Jugada reports.
class TObservador : public asientos::TCerebro {
   public:
    TObservador(int r, const TMiniJuego& j, Jugada& out) : r(r), juego(j), jugada(out) {}
    void pensar() override {
        ++jugada.flips;
        if (jugada.flips > limite) throw session::Stop(3);  // a play that never ends counts as lost
        switch (r) {
            case 0: {
                const auto& m = static_cast<const TMiniJuego1&>(juego);
                if (!m.JTurno) return;
                int fans = 0;
                for (const auto& j : m.JNoTurno) fans += j ? j->Fans : 0;
                jugada.accionesOtros = std::max(jugada.accionesOtros, 3 - m.ResistenciaAlAmor + fans);
                jugada.puntosTurno = std::max(jugada.puntosTurno, m.JTurno->meta1);
                break;
            }
            case 1: {
                const auto& m = static_cast<const TMiniJuego2&>(juego);
                if (!m.jugadorRaton) return;
                jugada.accionesOtros = std::max(jugada.accionesOtros, m.nivelObjetivo / 10);
                jugada.puntosTurno = std::max(jugada.puntosTurno, 760 - m.jugadorRaton->Y);
                break;
            }
            case 2: {
                const auto& m = static_cast<const TMiniJuego3&>(juego);
                // The line picked shows in the first frame seen after the pick, before
                // any push can land.
                if (m.fase >= 1 && elegida < 0) elegida = m.seleccion;
                jugada.puntosTurno = elegida;
                if (m.fase >= 1) jugada.accionesOtros = m.seleccion - elegida;
                if (m.fase == 1) ++jugada.framesEmpuje;
                break;
            }
            case 3: {
                const auto& m = static_cast<const TMiniJuego4&>(juego);
                if (!m.contador) return;
                jugada.accionesOtros = std::max(jugada.accionesOtros, static_cast<int>(768 - m.cima));
                jugada.puntosTurno = m.pillado[0] + m.pillado[1] + m.pillado[2];
                break;
            }
            case 4: {
                const auto& m = static_cast<const TMiniJuego5&>(juego);
                jugada.puntosTurno = m.puntosRetador;
                // A disc gone from the floor above the bottom edge was caught.
                std::map<const T5CD*, double> ahora;
                for (const auto& d : m.cds) ahora[d.get()] = d->Y;
                for (const auto& [d, y] : vistos)
                    if (!ahora.count(d) && y > 600 && y < 760) ++jugada.accionesOtros;
                vistos = std::move(ahora);
                break;
            }
            default: break;
        }
        if (const auto* m = dynamic_cast<const TMiniJuego6*>(&juego)) {
            int pillados = 0;
            for (const auto& s : m->sombras) {
                pillados += s.pillado;
                const float d = std::hypot(s.x - TMiniJuego6::kMetaX, s.y - TMiniJuego6::kMetaY);
                jugada.accionesOtros =
                    std::max(jugada.accionesOtros, static_cast<int>(TMiniJuego6::kRadioSalida - d));
            }
            jugada.puntosTurno = pillados;
        }
        if (const auto* m = dynamic_cast<const TMiniJuego7*>(&juego)) {
            jugada.puntosTurno = m->aplastados;
            for (float b : m->barra)
                jugada.accionesOtros = std::max(jugada.accionesOtros, static_cast<int>(b));
        }
        if (const auto* m = dynamic_cast<const TMiniJuego8*>(&juego)) {
            jugada.accionesOtros = m->tiros[0] + m->tiros[1] + m->tiros[2];
            jugada.puntosTurno = jugada.accionesOtros - m->impactos - static_cast<int>(m->bolas.size());
        }
    }
    int limite = 20000;

   private:
    int r;
    const TMiniJuego& juego;
    Jugada& jugada;
    int elegida = -1;
    std::map<const T5CD*, double> vistos;
};
}  // namespace

bool arrancar(const std::string& carpeta, int ancho, int alto) {
    if (!std::filesystem::exists(carpeta + "/anim/pjs.vba")) return false;
    session::Options o;
    o.headless = true;
    o.virtualClock = true;
    o.seed = 1;
    TuneMemory();  // as the game does
    platform::Startup(o);
    SeedRnd(1);
    carpetaPrevia = std::filesystem::current_path();
    std::filesystem::current_path(carpeta);
    TExplicacion::cargarRecursos();
    TGestorSonido::CreateGlobal();
    cargarRecursosMiniJuegos();
    Graphics(ancho, alto, 32, 60, 0);
    GL::projection(1024, 768);
    InitTrigTables();
    animaciones = VBA::LoadVBA("anim/pjs.vba");
    for (int s = 0; s < asientos::NUM_ASIENTOS; ++s)
        paquetes[static_cast<size_t>(s)] = VGP::LoadVGP(asientos::personaje(s).paquete, 6, 1);
    paquetes[asientos::NUM_ASIENTOS] = VGP::LoadVGP("anim/gorvia.vgp", 6, 1);
    return true;
}

void parar() {
    asientos::configurar({}, 1);
    animaciones.reset();
    paquetes = {};
    platform::Shutdown();
    if (!carpetaPrevia.empty()) std::filesystem::current_path(carpetaPrevia);
    carpetaPrevia.clear();
}

Jugada jugar(int r, int turno, const asientos::Eleccion& eleccion, uint32_t semilla, int maxFlips) {
    Jugada jugada;
    SeedRnd(static_cast<int32_t>(semilla));
    // Four people install no hook, and then nothing here would watch the play: callers
    // always choose at least one computer.
    asientos::configurar(eleccion, semilla);
    std::unique_ptr<TMiniJuego> juego = crearMiniJuego(r, animaciones, paquetes);
    auto equipo = TEquipo::Create(4);
    equipo->turno = turno;
    auto observador = std::make_unique<TObservador>(r, *juego, jugada);
    observador->limite = maxFlips;
    asientos::TCerebroActivo mirando(std::move(observador));
    asientos::TCerebroActivo cerebro(crearCerebroMiniJuego(*juego));
    try {
        jugada.resultado = juego->iniciarJuego(*equipo);
    } catch (const session::Stop&) {
        jugada.resultado = 0;
    }
    FlushKeys();
    FlushMouse();
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetTransform(0, 1, 1);
    return jugada;
}

}  // namespace jugadacpu
