// The practice menu, the options and the credits: the slide they share with the main
// menu, their keys, and what they leave in the sound manager.
#include "app/creditos_que_molan.h"
#include "app/jugadores.h"
#include "app/opciones_molonas.h"
#include "app/pantalla_jugadores.h"
#include "app/practica.h"
#include "minigames/catalogo.h"
#include "datos_prueba.h"
#include "engine/asiento/remotos.h"
#include "engine/gestor_sonido.h"
#include "support/rig_fixture.h"

#include <cstdio>
#include <fstream>

namespace {
using testrig::Field;

class PantallasTest : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        datos::Preparar("pantallas");
        TGestorSonido::CreateGlobal();
        TPractica::cargarRecursos();
        TOpcionesMolonas::cargarRecursos();
        TCreditosQueMolan::cargarRecursos();
        TPractica::ultima = 0;
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        HeadlessTest::TearDown();
    }

    // Text draws of one flip (counted from the start of the test), in drawing order.
    static std::vector<std::string> textos(int flip) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps("text"))
            if (Field(l, "flip") == std::to_string(flip)) out.push_back(l);
        return out;
    }
    // The value drawn after an options line in one flip ("" when none).
    static std::string valor(int flip, const std::string& linea) {
        auto t = textos(flip);
        for (size_t i = 0; i + 1 < t.size(); ++i)
            if (Field(t[i], "text") == linea) {
                const std::string siguiente = Field(t[i + 1], "text");
                return Field(t[i + 1], "y") == Field(t[i], "y") ? siguiente : "";
            }
        return "";
    }
};
}  // namespace

// The slide ends in flip 11; keys hit in flip N are read by the frame drawn in flip N + 1.
TEST_F(PantallasTest, PracticeListRestsFortyApartAndUpWrapsToVolver) {
    testrig::Script({"11 key Up press", "12 key Enter press"});
    auto practica = TPractica::Create();
    EXPECT_EQ(practica->start(), static_cast<int>(practica->options.size()) - 1);

    auto t = textos(12);
    const int n = static_cast<int>(practica->options.size());
    ASSERT_EQ(static_cast<int>(t.size()), n);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(Field(t[i], "text"), practica->options[i]);
        EXPECT_EQ(Field(t[i], "x"), "170");
        EXPECT_EQ(Field(t[i], "y"), std::to_string(200 + 40 * i));
        EXPECT_EQ(Field(t[i], "rgb"), i == n - 1 ? "[64,127,255]" : "[0,0,0]");
        EXPECT_EQ(Field(t[i], "font"), "comic.ttf@30");
    }
    EXPECT_EQ(Field(testrig::TraceOps("image").front(), "src"), "artwork/opciones.png");

    // A new visit starts at the top again; Down from "Volver" wraps to "Acicalandose".
    testrig::Script({"11 key Up press", "12 key Down press", "13 key Down press", "14 key Enter press"});
    EXPECT_EQ(TPractica::Create()->start(), 1);
}

// Escape leaves each of the three as "Volver" does, in the frame that reads it; the
// practice menu reopens on the minigame chosen last, not on one left by Escape.
TEST_F(PantallasTest, EscapeGoesBackAndPracticeReopensOnTheLastMinigame) {
    testrig::Script({"11 key Down press", "12 key Down press", "13 key Enter press"});
    EXPECT_EQ(TPractica::Create()->start(), 2);
    // Script flips count from the start of each visit.
    int inicio = session::FlipCount();
    testrig::Script({"11 key Down press", "12 key Escape press"});
    EXPECT_EQ(TPractica::Create()->start(), static_cast<int>(catalogo().size()));  // "Volver"
    EXPECT_EQ(session::FlipCount() - inicio, 12);
    inicio = session::FlipCount();
    testrig::Script({"11 key Enter press"});
    EXPECT_EQ(TPractica::Create()->start(), 2);
    EXPECT_EQ(Field(textos(inicio + 11)[2], "rgb"), "[64,127,255]");  // "Love is in the air" shown chosen

    inicio = session::FlipCount();
    testrig::Script({"11 key Escape press"});
    EXPECT_EQ(TOpcionesMolonas::Create()->start(), -1);
    EXPECT_EQ(session::FlipCount() - inicio, 11);
    inicio = session::FlipCount();
    testrig::Script({"5 key Escape press"});
    TCreditosQueMolan::Create()->start();
    EXPECT_EQ(session::FlipCount() - inicio, 5);
}

TEST_F(PantallasTest, EnterDuringThePracticeSlideChoosesAcicalandose) {
    testrig::Script({"3 key Down press", "3 key Enter press"});
    EXPECT_EQ(TPractica::Create()->start(), 0);
    EXPECT_EQ(session::FlipCount(), 3);
}

// Right held from flip 11 to flip 131: 120 frames read it, the volume stops at 100.
TEST_F(PantallasTest, HoldingRightOnMusicVolumeRaisesItToAHundredAndStops) {
    testrig::Script({"11 key Right down", "131 key Right up", "140 key Enter press"});
    EXPECT_EQ(TOpcionesMolonas::Create()->start(), -1);

    EXPECT_EQ(valor(11, "Volumen Musica"), "90");
    EXPECT_EQ(valor(12, "Volumen Musica"), "91");
    EXPECT_EQ(valor(21, "Volumen Musica"), "100");
    EXPECT_EQ(valor(131, "Volumen Musica"), "100");
    EXPECT_EQ(valor(12, "Volumen Sonido"), "70");
    EXPECT_EQ(gestorSonido()._musicVolume, 100);

    // Lines rest 37 apart, so that "Volver" stays inside the picture's panel; each value
    // follows its line 20 units after the text.
    auto t = textos(12);
    ASSERT_EQ(t.size(), 16u);  // nine lines, seven values
    EXPECT_EQ(Field(t[2], "text"), "Volumen Sonido");
    EXPECT_EQ(Field(t[2], "y"), "237");
    EXPECT_EQ(Field(t[12], "text"), "Frases");
    EXPECT_EQ(Field(t[13], "text"), "originales");
    EXPECT_EQ(Field(t[14], "text"), "Jugadores");
    EXPECT_EQ(Field(t[14], "y"), "459");
    EXPECT_EQ(Field(t[15], "text"), "Volver");
    EXPECT_EQ(Field(t[15], "y"), "496");
    EXPECT_EQ(Field(t[15], "font"), "comic.ttf@44");
    SetImageFont(TOpcionesMolonas::fuenteLineas);
    EXPECT_FLOAT_EQ(std::stof(Field(t[1], "x")), 170 + TextWidth("Volumen Musica") + 20);
    EXPECT_EQ(Field(t[1], "rgb"), "[64,127,255]");
    EXPECT_EQ(Field(t[3], "rgb"), "[0,0,0]");
}

TEST_F(PantallasTest, EffectsVolumeReachesTheNextEffectAndTheNextVisit) {
    TChannelPtr antes = gestorSonido().reproducir("sfx/boum.wav");
    // Down to "Volumen Sonido", then Left held for 17 frames: 70 -> 53.
    testrig::Script({"11 key Down press", "12 key Left down", "29 key Left up", "31 key Enter press"});
    TOpcionesMolonas::Create()->start();
    EXPECT_EQ(gestorSonido()._soundVolume, 53);

    TChannelPtr despues = gestorSonido().reproducir("sfx/boum.wav");
    ASSERT_TRUE(despues);
    EXPECT_FLOAT_EQ(despues->Volume(), 0.53f);
    EXPECT_FLOAT_EQ(antes->Volume(), 0.7f);

    const int inicio = session::FlipCount();
    testrig::Script({"12 key Enter press"});
    TOpcionesMolonas::Create()->start();
    EXPECT_EQ(valor(inicio + 12, "Volumen Sonido"), "53");
}

TEST_F(PantallasTest, SwitchesShowTheirValuesAndResetOnTheNextVisit) {
    testrig::Script({"11 key Down press", "12 key Down press",  // "Usar Antialias"
                     "13 key Left press",                       // stays "No"
                     "14 key Right press", "15 key Right press", "16 key Right press", "17 key Down press",
                     "18 key Right press",                                            // "Usar Shaders"
                     "19 key Down press", "20 key Right press", "21 key Left press",  // PhysX back to No
                     "30 key Enter press"});
    TOpcionesMolonas::Create()->start();
    EXPECT_EQ(valor(14, "Usar Antialias"), "No");
    EXPECT_EQ(valor(15, "Usar Antialias"), "2x");
    EXPECT_EQ(valor(16, "Usar Antialias"), "4x");
    EXPECT_EQ(valor(17, "Usar Antialias"), "4x");
    EXPECT_EQ(valor(19, "Usar Shaders"), "Si");
    EXPECT_EQ(valor(21, "Usar PhysX"), "Si");
    EXPECT_EQ(valor(22, "Usar PhysX"), "No");
    EXPECT_EQ(valor(30, "Usar DisplacementMapping"), "No");
    EXPECT_EQ(valor(30, "Volver"), "");

    const int inicio = session::FlipCount();
    testrig::Script({"12 key Enter press"});
    TOpcionesMolonas::Create()->start();
    EXPECT_EQ(valor(inicio + 12, "Usar Antialias"), "No");
    EXPECT_EQ(valor(inicio + 12, "Usar Shaders"), "No");
}

// The volume lines take held keys, the switches take hits: a press made while a volume
// line was selected must not reach a switch selected afterwards.
TEST_F(PantallasTest, APressOnAVolumeLineDoesNotReachASwitch) {
    testrig::Script({"11 key Right press", "12 key Down press", "13 key Down press", "20 key Enter press"});
    TOpcionesMolonas::Create()->start();
    EXPECT_EQ(valor(20, "Usar Antialias"), "No");
}

// Up from the first options line wraps to "Volver", once more to "Jugadores", whose Enter
// opens the players screen. There Pexil becomes a computer and the level hard; leaving
// saves both, and they play from then on. A visit that changes nothing writes nothing.
TEST_F(PantallasTest, PlayersScreenChangesSeatsAndLevelAndSavesOnlyAChange) {
    std::remove("jugadores.cfg");
    asientos::configurar(jugadoresDeLaSesion(session::Options{}), 1);
    testrig::Script({"1 pad 1 connect", "11 key Up press", "12 key Up press", "13 key Enter press",
                     // the players screen slides in from flip 14 and rests in flip 24
                     "24 key Down press", "25 key Down press", "26 key Down press", "27 key Right press",
                     "28 key Down press", "29 key Right press", "30 key Right press", "32 key Escape press",
                     // back on the options screen, "Jugadores" still chosen
                     "33 key Down press", "34 key Enter press"});
    EXPECT_EQ(TOpcionesMolonas::Create()->start(), -1);
    EXPECT_EQ(session::FlipCount(), 34);

    auto t = textos(25);
    const std::vector<std::string> lineas{"Tarsun",  "Persona (mando 1)", "Er_Varsen", "Persona",
                                          "Quelbido", "Persona",          "Pexil",     "Persona",
                                          "Nivel CPU", "Normal",          "Red",       "No",
                                          "Duracion",  "Normal",          "Minijuegos", "Todos",
                                          "Volver"};
    ASSERT_EQ(t.size(), lineas.size());
    const int paso = std::stoi(Field(t[2], "y")) - 200;
    EXPECT_LE(200 + paso * static_cast<int>(lineas.size() / 2), 520) << "Volver below the panel";
    for (size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(Field(t[i], "text"), lineas[i]);
        // The lines close up to keep "Volver" inside the panel, evenly.
        EXPECT_EQ(Field(t[i], "y"), std::to_string(200 + paso * static_cast<int>(i / 2)));
        EXPECT_EQ(Field(t[i], "font"), "comic.ttf@50");
    }
    EXPECT_EQ(Field(t[2], "rgb"), "[64,127,255]");  // Er_Varsen chosen
    EXPECT_EQ(valor(28, "Pexil"), "CPU");
    EXPECT_EQ(valor(29, "Nivel CPU"), "Normal");
    EXPECT_EQ(valor(30, "Nivel CPU"), "Dificil");
    EXPECT_EQ(valor(31, "Nivel CPU"), "Dificil");  // no level above it
    auto vuelta = textos(33);
    ASSERT_EQ(vuelta.size(), 16u);
    EXPECT_EQ(Field(vuelta[14], "text"), "Jugadores");
    EXPECT_EQ(Field(vuelta[14], "rgb"), "[64,127,255]");

    std::ifstream f("jugadores.cfg", std::ios::binary);
    const std::string guardado((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(guardado, "Tarsun persona\r\nEr_Varsen persona\r\nQuelbido persona\r\nPexil cpu\r\nnivel 3\r\nduracion normal\r\n");
    EXPECT_TRUE(asientos::esCPU(3));
    EXPECT_FALSE(asientos::esCPU(0));
    EXPECT_EQ(asientos::nivel(), 3);

    // Tarsun to the computer and back again, and Right on a seat held over the network,
    // which this screen cannot change: nothing changed, nothing written.
    std::remove("jugadores.cfg");
    asientos::remotoCambiado(1, "Ana");
    const int inicio = session::FlipCount();
    testrig::Script({"11 key Up press", "12 key Up press", "13 key Enter press", "24 key Right press",
                     "25 key Left press", "26 key Down press", "27 key Right press", "28 key Escape press",
                     "29 key Down press", "30 key Enter press"});
    TOpcionesMolonas::Create()->start();
    EXPECT_EQ(valor(inicio + 24, "Pexil"), "CPU");
    EXPECT_EQ(valor(inicio + 25, "Tarsun"), "CPU");
    EXPECT_EQ(valor(inicio + 26, "Tarsun"), "Persona (mando 1)");
    EXPECT_EQ(valor(inicio + 28, "Er_Varsen"), "Remoto: Ana");
    EXPECT_FALSE(std::ifstream("jugadores.cfg").good());
    asientos::olvidarRemotos();
    asientos::configurar({}, 1);
}

// "Unirse" adds the address: ten lines. With the longest address a player can type and
// its message, at the smallest window and at 16:9, every line's cell (the font's height,
// drawn size) lies inside the panel and clear of every other; "Volver" is the last, and
// the address and the message are whole, the message in the band below the panel.
TEST_F(PantallasTest, JoinLayoutKeepsEveryLineInsideThePanelAndApart) {
    const std::string direccion = "127.0.0.1:" + std::string(54, '9');
    const std::string aviso = "Puerto no valido en " + direccion + " (de 1 a 65535)";
    struct Caja {
        std::string texto;
        float x0, y0, x1, y1;
    };
    for (auto [ancho, alto] : {std::pair{640, 480}, std::pair{1280, 720}}) {
        SCOPED_TRACE(std::to_string(ancho) + "x" + std::to_string(alto));
        testrig::OpenDisplay(ancho, alto);
        const int inicio = session::FlipCount();
        std::vector<std::string> guion{"11 key Down press", "12 key Down press", "13 key Down press",
                                       "14 key Down press", "15 key Down press", "16 key Left press",
                                       "17 key Down press", "19 key Enter press", "22 key Escape press"};
        for (int i = 0; i < 64; ++i) guion.push_back("18 key Backspace press");
        for (char c : direccion) guion.push_back(std::string("18 type ") + c);
        testrig::Script(guion);
        TPantallaJugadores::Create()->start();

        SetImageFont(TOpcionesMolonas::fuente);
        std::vector<Caja> lista, notas;
        for (const std::string& t : textos(inicio + 21)) {
            const std::string escala = Field(t, "scale");
            const float s = std::stof(escala.substr(1));
            const float x = std::stof(Field(t, "x")), y = std::stof(Field(t, "y"));
            Caja c{Field(t, "text"), x, y, x + TextWidth(Field(t, "text")) * s, y + TextHeight() * s};
            (y < 570 ? lista : notas).push_back(c);
        }
        ASSERT_EQ(lista.size(), 19u);  // ten lines, nine values
        EXPECT_EQ(lista[12].texto, "Direccion:");
        EXPECT_EQ(lista[13].texto, direccion);
        EXPECT_EQ(lista.back().texto, "Volver");
        for (size_t i = 0; i < lista.size(); ++i) {
            const Caja& a = lista[i];
            EXPECT_TRUE(a.x0 >= 142 && a.x1 <= 898 && a.y0 >= 182 && a.y1 <= 558)
                << a.texto << " leaves the panel: " << a.x0 << "," << a.y0 << " " << a.x1 << "," << a.y1;
            for (size_t j = i + 1; j < lista.size(); ++j) {
                const Caja& b = lista[j];
                EXPECT_FALSE(a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1)
                    << a.texto << " touches " << b.texto;
            }
        }
        std::string mensaje;
        for (const Caja& c : notas) {
            mensaje += (mensaje.empty() ? "" : " ") + c.texto;
            EXPECT_TRUE(c.x0 >= 40 && c.x1 <= 984 && c.y1 <= 768) << c.texto << " is cut";
        }
        EXPECT_EQ(mensaje, aviso);
    }
}

TEST_F(PantallasTest, CreditsKeepTheEmptyLineInItsPlace) {
    testrig::Script({"12 key Up press", "12 key Down press", "15 key Enter press"});
    auto creditos = TCreditosQueMolan::Create();
    EXPECT_EQ(creditos->start(), -1);

    auto t = textos(14);
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(Field(t[7], "text"), "Musica: Tarsun");
    EXPECT_EQ(Field(t[7], "y"), "480");
    EXPECT_EQ(Field(t[9], "text"), "Libreria VBA por:");
    EXPECT_EQ(Field(t[9], "y"), "560");
    for (const std::string& l : t) EXPECT_EQ(Field(l, "rgb"), "[64,127,255]");
    EXPECT_EQ(Field(testrig::TraceOps("image").front(), "src"), "artwork/creditos.png");
}
