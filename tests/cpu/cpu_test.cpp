// Computer players: choosing them, how they act through the seats' input, and whole
// minigame plays in which they play against idle seats or give a person something to do.
#include "app/jugadores.h"
#include "engine/asiento/cerebro.h"
#include "minigames/catalogo.h"
#include "platform/base/errors.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"
#include "support/jugada_cpu.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {
std::string leer(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
void escribir(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}
}  // namespace

// A damaged file loses nothing it can still say: every readable line counts, the rest
// takes its default and is named on standard error, and the file itself is left alone.
TEST(Jugadores, FileKeepsEveryReadableLineAndIsNeverRewrittenByReading) {
    const std::string path = testrig::ScratchDir("jugadores") + "/jugadores.cfg";
    asientos::Eleccion e = leerJugadores(path);
    EXPECT_EQ(e.cpu, (std::array<bool, 4>{}));
    EXPECT_EQ(e.nivel, 2);
    EXPECT_FALSE(std::ifstream(path).good()) << "a missing file is not created by reading it";

    escribir(path, "pexil CPU\nTarsun persona\nQuelbido cpu\nEr_Varsen persona\nnivel 3\n");
    e = leerJugadores(path);
    EXPECT_EQ(e.cpu, (std::array<bool, 4>{false, false, true, true}));
    EXPECT_EQ(e.nivel, 3);

    // Line 2 an unknown word, line 4 a second Pexil, line 5 a level out of range, line 6
    // binary junk: one message counts them and names the first three, and the rest still
    // counts.
    const std::string danado = "Tarsun cpu\r\nEr_Varsen robot\r\nPexil cpu\r\nPexil persona\r\nnivel 9\r\n\x01\x02\r\n";
    escribir(path, danado);
    ::testing::internal::CaptureStderr();
    e = leerJugadores(path);
    const std::string avisos = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(e.cpu, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(e.nivel, 2);
    for (const char* linea : {"4 lineas", "linea 2", "linea 4", "linea 5"})
        EXPECT_NE(avisos.find(linea), std::string::npos) << linea << " not named in: " << avisos;
    EXPECT_EQ(avisos.find("linea 1 "), std::string::npos) << avisos;
    EXPECT_EQ(std::count(avisos.begin(), avisos.end(), '\n'), 1) << avisos;
    EXPECT_EQ(leer(path), danado);

    // The players screen's change is written whole, in the file's own words.
    asientos::Eleccion cambio;
    cambio.cpu[3] = true;
    cambio.nivel = 3;
    escribirJugadores(cambio, path);
    EXPECT_EQ(leer(path), "Tarsun persona\r\nEr_Varsen persona\r\nQuelbido persona\r\nPexil cpu\r\nnivel 3\r\nduracion normal\r\n");
}

TEST(Jugadores, OptionsGoOverTheFileAndBadOnesListTheValidValues) {
    const std::string path = testrig::ScratchDir("jugadores") + "/jugadores.cfg";
    escribir(path, "Tarsun cpu\r\nEr_Varsen persona\r\nQuelbido persona\r\nPexil persona\r\nnivel 1\r\n");
    session::Options o;
    o.cpu = "QUELBIDO,er_varsen";
    o.cpuLevel = "3";
    asientos::Eleccion e = elegirJugadores(o, path);
    EXPECT_EQ(e.cpu, (std::array<bool, 4>{false, true, true, false}));
    EXPECT_EQ(e.nivel, 3);
    EXPECT_NE(leer(path).find("Tarsun cpu"), std::string::npos);  // the file keeps its own choice

    o.cpu = "all";
    EXPECT_EQ(elegirJugadores(o, path).cpu, (std::array<bool, 4>{true, true, true, true}));

    for (const char* lista : {"Tarsun,Bob", "", "Pexil,"}) {
        o.cpu = lista;
        try {
            comprobarOpcionesCPU(o);
            ADD_FAILURE() << "accepted " << lista;
        } catch (const GameError& err) {
            EXPECT_NE(std::string(err.what()).find("Tarsun, Er_Varsen, Quelbido, Pexil, all"), std::string::npos)
                << err.what();
        }
    }
    o.cpu = "all";
    o.cpuLevel = "4";
    EXPECT_THROW(comprobarOpcionesCPU(o), GameError);
}

// A wait for "a key": a computer seat presses (typing its character) after its pause;
// a person's seat gets nothing; with four people no hook is installed at all.
TEST(Asientos, KeyWaitsGoOnByThemselvesOnlyForAComputer) {
    testrig::StartHeadless();
    testrig::OpenDisplay(320, 240);
    asientos::Eleccion e;
    e.cpu[2] = true;
    asientos::configurar(e, 5);
    auto esperar = [](int asiento) {
        asientos::TEsperaTecla espera(asiento, KEY_SPACE, 500, 1000);
        FlushKeys();
        for (int frame = 0; frame < 120; ++frame) {
            Flip(1);
            if (int c = GetChar()) return std::make_pair(frame, c);
        }
        return std::make_pair(-1, 0);
    };
    auto [frame, c] = esperar(2);
    EXPECT_EQ(c, ' ');
    EXPECT_GE(frame, 500 * 60 / 1000 - 1);  // not before the pause
    EXPECT_LE(frame, 1000 * 60 / 1000 + 2);
    EXPECT_EQ(esperar(0).first, -1);

    // Held keys are let go when a brain ends.
    {
        struct Sujeta : asientos::TCerebro {
            void pensar() override { asientos::mando::bajar(KEY_Q); }
        };
        asientos::TCerebroActivo c(std::make_unique<Sujeta>());
        Flip(1);
        EXPECT_EQ(KeyDown(KEY_Q), 1);
    }
    EXPECT_EQ(KeyDown(KEY_Q), 0);

    asientos::configurar({}, 5);
    EXPECT_EQ(esperar(2).first, -1);
    testrig::Stop();
}

class PartidasCPU : public ::testing::Test {
   protected:
    void SetUp() override {
        if (!jugadacpu::arrancar(FK_DATA_DIR)) GTEST_SKIP() << "no game data in " << FK_DATA_DIR;
    }
    void TearDown() override { jugadacpu::parar(); }
};

// On turn at the normal level against three seats that never press anything, a computer
// wins most plays of every minigame. One test per minigame: the plays are long, and the
// test runner spreads them over the machine's cores.
class PartidasCPUContraQuietos : public PartidasCPU, public ::testing::WithParamInterface<int> {};

TEST_P(PartidasCPUContraQuietos, OnTurnAComputerBeatsThreeIdleSeats) {
    const int r = GetParam();
    int victorias = 0;
    for (int i = 0; i < 3; ++i) {
        asientos::Eleccion e;
        e.cpu[static_cast<size_t>(i)] = true;
        victorias += jugadacpu::jugar(r, i, e, 40 + static_cast<uint32_t>(i)).resultado == 1;
    }
    EXPECT_GE(victorias, 2) << catalogo()[static_cast<size_t>(r)].id;
}
INSTANTIATE_TEST_SUITE_P(CadaMinijuego, PartidasCPUContraQuietos, ::testing::Range(0, numMiniJuegos()),
                         [](const ::testing::TestParamInfo<int>& i) {
                             return std::string(catalogo()[static_cast<size_t>(i.param)].id);
                         });

// Three computers against a person on turn who only reads the pages (and throws a disc
// or picks a line where nothing happens without him): they kiss, pour, climb, catch and
// push.
TEST_F(PartidasCPU, ThreeComputersGiveAPersonOnTurnSomethingToDo) {
    auto jugarConPersona = [](int r, std::vector<std::string> guion) {
        // Every so often the person types a key, which ends a page of the explanation.
        for (int f = 150; f < 12000; f += 150) guion.push_back(std::to_string(f) + " type space");
        testrig::Script(guion);
        asientos::Eleccion e;
        e.cpu = {false, true, true, true};
        return jugadacpu::jugar(r, 0, e, 7, 12000);
    };
    for (int r : {0, 1, 3, 4}) {
        std::vector<std::string> tiros;
        // In "Lanzamiento de CDs" he throws almost straight down now and then.
        for (int f = 700; r == 4 && f < 3000; f += 90)
            tiros.insert(tiros.end(), {std::to_string(f) + " mouse 512 300", std::to_string(f) + " button 1 down",
                                       std::to_string(f + 1) + " mouse 516 420", std::to_string(f + 1) + " button 1 up"});
        const jugadacpu::Jugada j = jugarConPersona(r, tiros);
        EXPECT_GT(j.accionesOtros, 0) << "minigame " << r;
        EXPECT_LT(j.flips, 12000) << "minigame " << r << " never ended";
    }
    // The others push only off a polite line: which line the person picks depends on
    // when he hits Space.
    int educadas = 0;
    for (int f = 700; f < 1300 && educadas == 0; f += 23) {
        const jugadacpu::Jugada j = jugarConPersona(2, {std::to_string(f) + " key Space press"});
        if (j.puntosTurno % 3 != 0 || j.framesEmpuje < 10) continue;
        ++educadas;
        EXPECT_GT(j.accionesOtros, 0) << "nobody pushed off line " << j.puntosTurno;
    }
    EXPECT_EQ(educadas, 1) << "the person never picked a polite line";
}

// Four hard computers play every minigame added to the original five through to its
// end, in both roles: the others make their way and the player on turn stops some of it.
TEST_F(PartidasCPU, HardComputersPlayTheNewMinigamesToTheEndInBothRoles) {
    asientos::Eleccion todos;
    todos.cpu.fill(true);
    todos.nivel = 3;
    for (int r = 0; r < numMiniJuegos(); ++r) {
        if (catalogo()[static_cast<size_t>(r)].deLosCinco) continue;
        int turno = 0, otros = 0;
        for (int t : {0, 2}) {
            const jugadacpu::Jugada j = jugadacpu::jugar(r, t, todos, 70 + static_cast<uint32_t>(t), 4000);
            EXPECT_TRUE(j.resultado == 0 || j.resultado == 1) << catalogo()[static_cast<size_t>(r)].id;
            EXPECT_LT(j.flips, 4000) << catalogo()[static_cast<size_t>(r)].id << " never ended";
            turno += j.puntosTurno;
            otros += j.accionesOtros;
        }
        EXPECT_GT(turno, 0) << catalogo()[static_cast<size_t>(r)].id;
        EXPECT_GT(otros, 0) << catalogo()[static_cast<size_t>(r)].id;
    }
}
