// "Love is in the air" under the rig: the real minigame on the virtual clock with scripted
// keys, solid pictures of distinct sizes (so the trace tells which one is drawn where) and
// silent effects named after their files, so the trace shows what a player would hear.
#include "board/equipo.h"
#include "minigames/love_is_in_the_air/frases.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "platform/session/clock.h"
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const char* const kFondo = "created 64x48";
const char* const kChica = "created 24x44";
const char* const kOstion = "created 25x43";
const char* const kPretendiente = "created 30x42";

class LoveIsInTheAir : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetBlend(ALPHABLEND);
        figuras::sonidosMudos({"sfx/muack.wav", "sfx/boum.wav"});
        TMiniJuego3::cargarRecursos();
        m = TMiniJuego3::Create(nullptr, TPaquetes{});
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        m.reset();
        TMiniJuego3::fuente = nullptr;
        HeadlessTest::TearDown();
    }

    // The play from its entrance on (no explanation), with small pictures of our own.
    void empezar(int turno = 0) {
        m->prepararJuego(turno);
        m->fondo = figuras::solido(64, 48, 0xFF203040, 0, 0);
        m->chica = figuras::solido(24, 44, 0xFFFF80C0, 0, 0);
        m->chicaOstion = figuras::solido(25, 43, 0xFFFF0000, 0, 0);
        m->pretendiente = figuras::solido(30, 42, 0xFF4080FF, 0, 0);
    }
    // Entrance done, choosing.
    void alElegir(int turno = 0) {
        empezar(turno);
        m->entrada();
    }
    bool frame() { return m->frameJuego(); }
    // Main-loop frames until the highlight stands on linea (it has just got there), then
    // Space: it reaches the game in the next frame's flip and is read the frame after.
    void elegir(int linea) {
        for (int i = 0; i < 5000 && m->seleccion != linea; ++i) frame();
        ASSERT_EQ(m->seleccion, linea);
        testrig::Script({"1 key Space press"});
        frame();
        frame();
        ASSERT_EQ(m->fase, 1);
        ASSERT_EQ(m->seleccion, linea) << "the pick does not move the highlight";
    }
    // Frames until the play ends; its result.
    int terminar() {
        for (int i = 0; i < 2000 && frame(); ++i) {
        }
        EXPECT_EQ(m->fase, 3);
        return m->resultado;
    }

    // Trace lines of images with this source, optionally only those of one flip.
    std::vector<std::string> imagenes(const std::string& src, int flip = -1) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps("image"))
            if (testrig::Field(l, "src") == src &&
                (flip < 0 || testrig::Field(l, "flip") == std::to_string(flip)))
                out.push_back(l);
        return out;
    }
    std::vector<std::string> textosDelFlip(int flip) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps("text"))
            if (testrig::Field(l, "flip") == std::to_string(flip)) out.push_back(l);
        return out;
    }
    std::vector<std::string> rojos(int flip) {
        std::vector<std::string> out;
        for (const std::string& l : textosDelFlip(flip))
            if (testrig::Field(l, "rgb") == "[255,0,0]") out.push_back(testrig::Field(l, "text"));
        return out;
    }
    int sonado(const std::string& src) {
        int n = 0;
        for (const std::string& l : testrig::TraceOps("sound"))
            if (testrig::Field(l, "src") == src) ++n;
        return n;
    }
    static float num(const std::string& line, const char* key) {
        return std::stof(testrig::Field(line, key));
    }

    std::unique_ptr<TMiniJuego3> m;
};

TEST_F(LoveIsInTheAir, EntranceGlidesBothInWhileTheSceneFadesIn) {
    empezar(0);
    const int antes = session::FlipCount();
    m->entrada();
    const int frames = session::FlipCount() - antes;
    EXPECT_GE(frames, 22);
    EXPECT_LE(frames, 31) << "about thirty frames";
    EXPECT_LE(m->xChica, 800);

    const std::vector<std::string> chica = imagenes(kChica), chico = imagenes(kPretendiente);
    const std::vector<std::string> fondo = imagenes(kFondo);
    ASSERT_EQ(chica.size(), static_cast<size_t>(frames));
    ASSERT_EQ(chico.size(), static_cast<size_t>(frames));
    EXPECT_EQ(num(chica[0], "x"), 1180);
    EXPECT_EQ(num(chico[0], "x"), -320);
    for (size_t i = 1; i < chica.size(); ++i) {
        EXPECT_EQ(num(chica[i], "y"), 768 - 44) << "standing on the bottom edge";
        EXPECT_EQ(num(chico[i], "y"), 768 - 42);
        EXPECT_LT(num(chica[i], "x"), num(chica[i - 1], "x")) << "the girl glides left";
        EXPECT_GT(num(chico[i], "x"), num(chico[i - 1], "x")) << "the suitor glides right";
    }
    EXPECT_GT(num(chica[0], "x") - num(chica[1], "x"), num(chica[frames - 2], "x") - num(chica.back(), "x"))
        << "slowing down";
    // Faded in over ten frames.
    EXPECT_EQ(num(fondo[0], "alpha"), 0);
    EXPECT_NEAR(num(fondo[5], "alpha"), 0.5f, 0.01f);
    EXPECT_EQ(num(fondo[11], "alpha"), 1);
}

TEST_F(LoveIsInTheAir, HighlightStartsOnTheSecondFrameAndQuickensEachLapDownToASixteenth) {
    alElegir();
    frame();
    EXPECT_EQ(m->seleccion, 0);
    frame();
    EXPECT_EQ(m->seleccion, 1) << "the clock's first update jumps past the interval";

    // Clock times of the moves, lap by lap.
    std::vector<std::vector<int32_t>> vueltas(5, {Millisecs()});
    int vuelta = 0, anterior = m->seleccion;
    for (int i = 0; i < 20000 && vuelta < 5; ++i) {
        frame();
        if (m->seleccion == anterior) continue;
        EXPECT_EQ(m->seleccion, (anterior + 1) % 15) << "one line at a time";
        if (m->seleccion == 0 && ++vuelta < 5) vueltas[static_cast<size_t>(vuelta)] = {};
        if (vuelta < 5) vueltas[static_cast<size_t>(vuelta)].push_back(Millisecs());
        anterior = m->seleccion;
    }
    ASSERT_EQ(vuelta, 5);
    // A move comes on the first frame after the interval has passed (frames of 16-17 ms).
    const int32_t esperado[5] = {500, 250, 125, 62, 62};
    for (size_t v = 0; v < 5; ++v)
        for (size_t i = 1; i < vueltas[v].size(); ++i) {
            EXPECT_GE(vueltas[v][i] - vueltas[v][i - 1], esperado[v]) << "lap " << v;
            EXPECT_LE(vueltas[v][i] - vueltas[v][i - 1], esperado[v] + 34) << "lap " << v;
        }
    EXPECT_EQ(m->fase, 0) << "no time limit while choosing";

    // The red line is the one highlighted when the frame was drawn (moves come after).
    const int dibujada = m->seleccion;
    frame();
    const std::vector<std::string> lineas = textosDelFlip(session::FlipCount());
    ASSERT_EQ(lineas.size(), 15u);
    for (size_t i = 0; i < 15; ++i) {
        EXPECT_EQ(testrig::Field(lineas[i], "text"), TMiniJuego3::frases[i]);
        EXPECT_EQ(num(lineas[i], "x"), 350);
        EXPECT_EQ(num(lineas[i], "y"), 50 + 32 * static_cast<int>(i));
        const bool rojo = static_cast<int>(i) == dibujada;
        EXPECT_EQ(testrig::Field(lineas[i], "rgb"), rojo ? "[255,0,0]" : "[0,0,0]") << i;
    }
}

TEST_F(LoveIsInTheAir, PolitePickWinsAKissAndBothSlideOutWhileTheSceneFades) {
    alElegir(1);
    elegir(3);
    EXPECT_EQ(rojos(session::FlipCount()),
              std::vector<std::string>{"Perdona, soy un poco timido y no he podido evitar fijarme en ti"});
    const int32_t t0 = Millisecs();
    while (m->fase == 1) frame();
    EXPECT_GE(Millisecs() - t0, 500) << "half a second for the others";
    EXPECT_LE(Millisecs() - t0, 540);

    const int desenlace = session::FlipCount() + 1;
    EXPECT_EQ(terminar(), 1);
    EXPECT_EQ(sonado("sfx/muack.wav"), 1) << "once";
    EXPECT_EQ(sonado("sfx/boum.wav"), 0);
    EXPECT_TRUE(imagenes(kOstion).empty()) << "no slap";
    const int fin = session::FlipCount();
    EXPECT_GT(fin - desenlace, 70) << "about a second and a half";
    EXPECT_LT(fin - desenlace, 110);

    auto paso = [&](int f) {
        return num(imagenes(kPretendiente, f)[0], "x") - num(imagenes(kPretendiente, f + 1)[0], "x");
    };
    EXPECT_GT(paso(desenlace + 5), 0) << "sliding out to the left";
    EXPECT_GT(paso(desenlace + 60), 2 * paso(desenlace + 5)) << "faster and faster";
    EXPECT_LT(num(imagenes(kChica, fin)[0], "x"), -900.0f);
    EXPECT_EQ(num(imagenes(kFondo, fin)[0], "alpha"), 0) << "faded out";
    EXPECT_EQ(num(textosDelFlip(fin)[0], "alpha"), 0) << "the phrases fade too";
    EXPECT_EQ(num(imagenes(kChica, fin)[0], "alpha"), 1) << "the pictures stay opaque";
}

TEST_F(LoveIsInTheAir, EachPressOfTheOthersInTheHalfSecondPushesOneLine) {
    struct Caso {
        std::vector<std::string> antes, despues;  // keys before the pick, after it
        int linea, final, resultado;
    };
    const std::vector<Caso> casos = {
        {{}, {"1 key Q press"}, 3, 4, 0},
        {{}, {"1 key Q press", "1 key Y press", "1 key P press"}, 3, 6, 1},
        {{}, {"2 key P press", "3 key P press", "4 key Y press"}, 3, 6, 1},
        {{}, {"1 key Q down", "20 key Q up"}, 0, 1, 0},  // held: one push
        {{}, {"1 key B press", "1 key W press", "1 key Space press"}, 0, 0, 1},
        // Pressed while the list was still running: not a push.
        {{"1 key Q press", "2 key Y press", "3 key P press"}, {}, 2, 2, 0},
        // Past the last line no line shows, and the count still decides.
        {{}, {"1 key Q press", "2 key Y press", "3 key P press", "4 key Q press"}, 14, 18, 1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE("line " + std::to_string(c.linea) + " to " + std::to_string(c.final));
        TearDown();
        SetUp();
        alElegir();
        testrig::Script(c.antes);
        elegir(c.linea);
        testrig::Script(c.despues);
        for (int i = 0; i < 6; ++i) frame();
        EXPECT_EQ(m->seleccion, c.final);
        EXPECT_EQ(rojos(session::FlipCount()).size(), c.final < 15 ? 1u : 0u);
        EXPECT_EQ(terminar(), c.resultado);
        EXPECT_EQ(m->seleccion, c.final);
        EXPECT_EQ(sonado("sfx/muack.wav"), c.resultado);
        EXPECT_EQ(sonado("sfx/boum.wav"), 1 - c.resultado);
        EXPECT_EQ(imagenes(kOstion).empty(), c.resultado == 1) << "the slap shows only after a rude line";
    }
}

TEST_F(LoveIsInTheAir, KeepsTimeOnAMachineUpForDays) {
    // In a process of its own: the flips' software pacing would carry the far clock over
    // to the tests that follow.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto jugar = [this] {
        testrig::Stop();
        testrig::StartHeadless();
        clockseam::UseVirtualClock(8 * 24 * 3600 * 1000);  // eight days of uptime
        testrig::OpenDisplay();
        alElegir();
        for (int i = 0; i < 50; ++i) frame();
        if (m->seleccion != 2) return 1;  // moves on the second frame, then every half second
        elegir(2);
        testrig::Script({"1 key Q press"});
        for (int i = 0; i < 40 && m->fase == 1; ++i) frame();
        if (m->fase != 2) return 2;  // the push window closes
        return m->seleccion == 3 ? 0 : 3;
    };
    EXPECT_EXIT(std::_Exit(jugar()), ::testing::ExitedWithCode(0), "");
}

// The whole call as the callers make it: explanation (each page passed with a typed
// letter), entrance, a pick, the outcome. Letters and Space come now and then; the first
// Space after the explanation picks. Escape is held all along and changes nothing.
int jugarEntero(TMiniJuego3& m, int turno) {
    std::vector<std::string> guion = {"1 key Escape down"};
    for (int f = 40; f < 3000; f += 37) {
        guion.push_back(std::to_string(f) + " type a");
        guion.push_back(std::to_string(f) + " key Space press");
    }
    testrig::Script(guion);
    auto equipo = TEquipo::Create(4);
    equipo->turno = turno;
    const int r = m.iniciarJuego(*equipo);
    EXPECT_EQ(m.equipo, equipo.get());
    EXPECT_EQ(m.fase, 3);
    EXPECT_EQ(r, m.seleccion % 3 == 0 ? 1 : 0);
    EXPECT_LT(session::FlipCount(), 3000);
    return r;
}

TEST_F(LoveIsInTheAir, WholePlayWithTheGamesFiles) {
    if (!std::filesystem::exists(std::string(FK_DATA_DIR) + "/artwork/fondo-minijuego3.png"))
        GTEST_SKIP() << "no data build";
    testrig::UseDataDir();
    TMiniJuego3::cargarRecursos();
    const int r = jugarEntero(*m, 2);
    EXPECT_EQ(sonado(r ? "sfx/muack.wav" : "sfx/boum.wav"), 1);

    bool titulo = false, tecla = false, frase = false, chico = false;
    for (const std::string& l : testrig::TraceOps("text")) {
        const std::string s = testrig::Field(l, "text");
        titulo |= s == "LOVE IS IN THE AIR";
        tecla |= s == "Y";
        frase |= s == TMiniJuego3::frases[0] && testrig::Field(l, "font") == "comic.ttf@16";
    }
    for (const std::string& l : testrig::TraceOps("image"))
        chico |= l.find("quelbido-enamorao.png") != std::string::npos;
    EXPECT_TRUE(titulo);
    EXPECT_TRUE(tecla) << "the middle opponent's key is Y";
    EXPECT_TRUE(frase);
    EXPECT_TRUE(chico) << "the suitor is the slot on turn";
}

TEST_F(LoveIsInTheAir, WholePlayWithoutAnyFileStillEnds) {
    jugarEntero(*m, 0);
}

}  // namespace

// The gentle phrases chosen on the options screen are the ones listed, and the line that
// wins with the originals wins with them: the same game, other words.
TEST_F(LoveIsInTheAir, GentlePhrasesShowInsteadAndPlayTheSame) {
    struct Vuelta {
        ~Vuelta() { frases::elegirSuaves(false); }
    } vuelta;
    frases::elegirSuaves(true);
    m = TMiniJuego3::Create(nullptr, TPaquetes{});
    alElegir(1);
    elegir(3);
    std::vector<std::string> mostradas, esperadas;
    for (const std::string& l : textosDelFlip(session::FlipCount())) mostradas.push_back(testrig::Field(l, "text"));
    ASSERT_EQ(mostradas.size(), static_cast<size_t>(frases::kCuantas));
    int distintas = 0;
    for (int i = 0; i < frases::kCuantas; ++i) {
        const std::string& suave = frases::suaves()[static_cast<size_t>(i)];
        // Lines with letters outside ASCII are written escaped in the trace.
        const bool ascii = std::all_of(suave.begin(), suave.end(), [](char c) { return (c & 0x80) == 0; });
        if (ascii) {
            EXPECT_EQ(mostradas[static_cast<size_t>(i)], suave);
        }
        if (i % 3 == 0) {
            EXPECT_EQ(suave, frases::originales()[static_cast<size_t>(i)]) << "a polite line stays";
        }
        distintas += suave != frases::originales()[static_cast<size_t>(i)] ? 1 : 0;
    }
    EXPECT_GT(distintas, 0) << "the crude lines are swapped";
    EXPECT_EQ(terminar(), 1);
}
