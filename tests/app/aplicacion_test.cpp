// The top-level loop run whole under the rig: the intro, the main menu and the screens
// reached from it, and which music plays across them.
#include "app/aplicacion.h"
#include "datos_prueba.h"
#include "engine/gestor_sonido.h"
#include "support/rig_fixture.h"

namespace {
using testrig::Field;

// Builds the input of a whole run. A menu screen that starts after flip `flip` slides in
// during the next 11 flips; keys hit from the last of them on are read one per frame.
struct Guion {
    int flip = 0;
    std::vector<std::string> lineas;

    void en(int f, const std::string& accion) { lineas.push_back(std::to_string(f) + " " + accion); }
    // A menu screen: `n` presses of the arrow, then Enter.
    void menu(int n, const std::string& flecha) {
        for (int k = 0; k < n; ++k) en(flip + 11 + k, "key " + flecha + " press");
        en(flip + 11 + n, "key Enter press");
        flip += 11 + n;
    }
};

struct Sonido {
    std::string src, canal;
    int flip;
};

class AplicacionTest : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        datos::Preparar("aplicacion");
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        HeadlessTest::TearDown();
    }
    static std::vector<Sonido> sonidos() {
        std::vector<Sonido> out;
        for (const std::string& l : testrig::TraceOps("sound"))
            out.push_back({Field(l, "src"), Field(l, "channel"), std::stoi(Field(l, "flip"))});
        return out;
    }
    // Flip in which the channel was stopped (0 when it never was).
    static int paradaEn(const std::string& canal) {
        for (const std::string& l : testrig::TraceOps("channel"))
            if (Field(l, "channel") == canal && Field(l, "stop") == "1") return std::stoi(Field(l, "flip"));
        return 0;
    }
    static std::vector<std::string> volumenes(const std::string& canal) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps("channel"))
            if (Field(l, "channel") == canal && !Field(l, "volume").empty())
                out.push_back(Field(l, "volume"));
        return out;
    }
    static bool dibujado(const std::string& texto, int desde, int hasta) {
        for (const std::string& l : testrig::TraceOps("text")) {
            const int f = std::stoi(Field(l, "flip"));
            if (Field(l, "text") == texto && f >= desde && f <= hasta) return true;
        }
        return false;
    }
};
}  // namespace

TEST_F(AplicacionTest, MusicRulesAcrossTheScreens) {
    Guion g;
    g.en(1, "key Escape press");  // ends the intro on its first picture
    g.flip = 1;
    g.menu(2, "Down");  // "Opciones"
    const int opciones = g.flip;
    // Left held for ten frames: music volume 90 -> 80.
    g.en(g.flip + 11, "key Left down");
    g.en(g.flip + 21, "key Left up");
    g.en(g.flip + 22, "key Enter press");
    g.flip += 22;
    g.menu(3, "Down");  // "Creditos"
    const int creditos = g.flip;
    g.menu(0, "Down");  // the credits
    g.menu(1, "Down");  // "Practica"
    const int practica = g.flip;
    g.menu(0, "Up");  // "Acicalandose"
    const int minijuego = g.flip;
    // Space goes down and up every few frames: each press types a character that turns
    // an explanation page. Once the game runs, Escape pauses it and "Salir" leaves it. The
    // practice menu then shows again until the end.
    for (int f = minijuego + 1; f < minijuego + 900; f += 4) {
        g.en(f, "key Space down");
        g.en(f + 2, "key Space up");
    }
    g.en(minijuego + 1200, "key Escape press");
    g.en(minijuego + 1210, "key Down press");
    g.en(minijuego + 1220, "key Enter press");
    g.en(minijuego + 2000, "quit");
    testrig::Script(g.lineas);

    TAplicacion app;
    EXPECT_THROW(app.start(), session::Stop);

    auto todos = sonidos();
    ASSERT_GE(todos.size(), 2u);
    EXPECT_EQ(todos[1].src, "sfx/boum.wav");
    std::vector<Sonido> s;  // the music alone (the game plays effects of its own)
    for (const Sonido& x : todos)
        if (x.src.rfind("music/", 0) == 0) s.push_back(x);
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].src, "music/title.ogg");
    EXPECT_EQ(paradaEn(s[0].canal), 2) << "the intro stops its music before the menu";

    // One menu music channel from the first menu until the practice game: options and
    // credits leave it playing, and it takes the new volume at each of the three showings
    // of the main menu.
    EXPECT_EQ(s[1].src, "music/menu.ogg");
    EXPECT_EQ(paradaEn(s[1].canal), minijuego + 1);
    EXPECT_EQ(volumenes(s[1].canal), (std::vector<std::string>{"0.9", "0.8", "0.8"}));
    EXPECT_EQ(gestorSonido()._musicVolume, 80);
    EXPECT_TRUE(dibujado("Volumen Musica", opciones + 1, opciones + 22));
    EXPECT_TRUE(dibujado("Programacion:", creditos + 1, creditos + 11));
    EXPECT_TRUE(dibujado("Acicalandose", practica + 1, practica + 11));

    // The practice game: the board music between a white clear and the menu music started
    // again for the practice menu, which shows again.
    EXPECT_EQ(s[2].src, "music/tablero.ogg");
    EXPECT_EQ(s[2].flip, minijuego + 1);
    EXPECT_EQ(s[3].src, "music/menu.ogg");
    const int vuelta = s[3].flip;
    EXPECT_GT(vuelta, minijuego + 1) << "the game was played between the two musics";
    EXPECT_EQ(paradaEn(s[2].canal), vuelta);
    EXPECT_EQ(volumenes(s[3].canal), (std::vector<std::string>{"0.8"}));
    EXPECT_EQ(paradaEn(s[3].canal), 0) << "the practice menu keeps its music";
    EXPECT_TRUE(dibujado("Acicalandose", vuelta + 1, vuelta + 12)) << "the practice menu shows again";
    bool blanco = false;
    for (const std::string& l : testrig::TraceOps("cls"))
        if (Field(l, "flip") == std::to_string(minijuego + 1) && Field(l, "rgb") == "[255,255,255]")
            blanco = true;
    EXPECT_TRUE(blanco);
}
