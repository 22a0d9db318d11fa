#pragma once
// Matches for tests: figures made in code (every animation number the match uses), the
// roulette and fonts from the data folder, silent named sounds, and a scripted minigame
// launcher that records what it was asked.
#include "board/juego.h"
#include "board/resultado.h"
#include "minigames/catalogo.h"
#include "platform/base/random.h"
#include "platform/session/clock.h"
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <functional>
#include <string>
#include <vector>

namespace partida {

inline const std::vector<std::string> kSonidos = {"sfx/dado.wav", "sfx/boing.wav", "sfx/yeha.wav",
                                                  "sfx/boum.wav", "sfx/juego.wav", "sfx/perder.wav"};

// A sprite that runs a probe every time the board draws its tokens (once per frame).
struct Sonda : TSprite {
    std::function<void()> alDibujar;
    int Dibujar(TCamera&) override {
        if (alDibujar) alDibujar();
        return 0;
    }
};

// The tiles of the original board's five minigame kinds, as the catalogue gives them.
inline std::vector<int> tilesDeLosCinco() {
    std::vector<int> t;
    for (int r : miniJuegosDelTablero(false)) t.push_back(catalogo()[static_cast<size_t>(r)].tile);
    return t;
}

// One call of the launcher: the minigame number, the slot on turn and his position.
struct Llamada {
    int juego;
    int turno;
    float posicion;
};

class PartidaTest : public testrig::HeadlessTest {
   protected:
    VBAPtr set;
    std::array<VGPPtr, 5> packs;
    std::vector<Llamada> llamadas;
    int resultadoMinijuego = 1;  // what the scripted minigame returns

    void SetUp() override {
        HeadlessTest::SetUp();
        testrig::UseDataDir();
        TJuego::cargarRecursos();
        TResultado::cargarRecursos();
        figuras::sonidosMudos(kSonidos);
        set = figuras::conjunto(1);
        packs = figuras::paquetes(20, 40);
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        HeadlessTest::TearDown();
    }

    TLanzadorMiniJuego lanzador() {
        return [this](int juego, const TEquipo& e) {
            llamadas.push_back({juego, e.getTurno(), e.getJugador(e.getTurno()).getPosicion()});
            return resultadoMinijuego;
        };
    }
    std::unique_ptr<TJuego> partida(int jugadores = 4, int tipo = 1, int semilla = 1) {
        SeedRnd(semilla);
        auto j = TJuego::Create(jugadores, tipo, set, packs, lanzador(), tilesDeLosCinco());
        j->cam->setFrame(0, 0, 1024, 768, 0);
        return j;
    }
    // Everybody standing (animation 1), as at the start of a turn.
    static void enPie(TJuego& j) {
        for (const TFichaPtr& f : j.fichas) f->anima(1, 0, 1);
        for (const AnimStatePtr& p : j.portraitAnim) p->ChangeAnim(1, 0, 1, 0, 0);
    }
    // Sound effects played so far, by name, in order.
    static std::vector<std::string> sonidos() {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps("sound")) out.push_back(testrig::Field(l, "src"));
        return out;
    }
    static int veces(const std::vector<std::string>& v, const std::string& s) {
        int n = 0;
        for (const std::string& x : v) n += x == s;
        return n;
    }
    // Trace lines of one op drawn in one flip.
    static std::vector<std::string> delFlip(const std::string& op, const std::string& flip) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps(op))
            if (testrig::Field(l, "flip") == flip) out.push_back(l);
        return out;
    }
};

}  // namespace partida
