#include "engine/explicacion.h"
#include "engine/asiento/ocupantes.h"
#include "engine/asiento/papeles.h"
#include "support/rig_fixture.h"

#include <filesystem>
#include <map>

namespace {
namespace fs = std::filesystem;
using testrig::Field;

const char* const kRetratos[4] = {"artwork/char-tarsun.png", "artwork/char-ervarsen.png",
                                  "artwork/char-quelbido.png", "artwork/char-pexil.png"};

// Sample texts, as a minigame would pass them.
std::unique_ptr<TExplicacion> ejemplo(int uno) {
    return TExplicacion::Create(uno, "Acicalandose", {"Peinate con el raton", "antes que nadie"},
                                {"Pulsad vuestras teclas"}, {"Q", "W"}, {"V", "B"}, {"O", "P"});
}

// One flip of a page as a player sees it.
struct Cuadro {
    int pagina = 0;   // 1 turn page, 2 others' page
    float pulsa = 0;  // y of the prompt: 730 + the offset
    int32_t ms = 0;   // clock at the flip
};

class ExplicacionTest : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        // Portraits of 40 x 60 (handle at 20, 59) and the two strip backgrounds.
        const std::string dir = testrig::ScratchDir("explicacion");
        testrig::UseDataDir();
        fs::create_directories(dir + "/artwork");
        const fs::path fuente = fs::path(FK_DATA_DIR) / "artwork/comic.ttf";
        if (fs::exists(fuente)) fs::copy_file(fuente, dir + "/artwork/comic.ttf");
        fs::current_path(dir);
        TPixmapPtr p = CreatePixmap(40, 60);
        p->ClearPixels(0xFFFF0000u);
        for (const char* r : kRetratos) SavePixmapPNG(*p, r);
        TPixmapPtr f = CreatePixmap(64, 16);
        f->ClearPixels(0xFF00FF00u);
        SavePixmapPNG(*f, "artwork/fondoraro.png");
        SavePixmapPNG(*f, "artwork/fondomasraro.png");
        TExplicacion::cargarRecursos();
    }

    // Shows the screen with a character typed at each of the given flips (counted from
    // now) and returns the flips by number.
    std::map<int, Cuadro> mostrar(TExplicacion& e, const std::vector<std::string>& script) {
        const int inicio = session::FlipCount();
        testrig::Script(script);
        e.show();
        std::map<int, Cuadro> cuadros;
        for (const std::string& l : rig::CapturedTrace()) {
            const int flip = std::stoi(Field(l, "flip")) - inicio;
            if (flip <= 0) continue;
            Cuadro& c = cuadros[flip];
            const std::string op = Field(l, "op");
            if (op == "image" && Field(l, "src") == "artwork/fondoraro.png") c.pagina = 1;
            if (op == "image" && Field(l, "src") == "artwork/fondomasraro.png") c.pagina = 2;
            if (op == "text" && Field(l, "text") == "Pulsa una tecla...") c.pulsa = std::stof(Field(l, "y"));
            if (op == "flip") c.ms = std::stoi(Field(l, "ms"));
        }
        return cuadros;
    }
    // Trace lines of one kind drawn in one flip (counted from the start of the test).
    static std::vector<std::string> ops(const std::string& op, int flip) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps(op))
            if (Field(l, "flip") == std::to_string(flip)) out.push_back(l);
        return out;
    }
    // First and last flip of a page at rest (offset 0).
    static std::pair<int, int> reposo(const std::map<int, Cuadro>& cuadros, int pagina) {
        int primero = 0, ultimo = 0;
        for (const auto& [flip, c] : cuadros)
            if (c.pagina == pagina && c.pulsa == 730) {
                if (!primero) primero = flip;
                ultimo = flip;
            }
        return {primero, ultimo};
    }
};
}  // namespace

// With player 2 on turn the others are 0, 1 and 3. Each key list stays under its own
// player's portrait whichever way round they are shown.
TEST_F(ExplicacionTest, BothDisplayOrdersKeepTheKeysUnderTheirPlayers) {
    std::unique_ptr<TExplicacion> directo, invertido;
    for (int i = 0; i < 64 && !(directo && invertido); ++i) {
        auto e = ejemplo(2);
        (e->posotros[0] == 0 ? directo : invertido) = std::move(e);
    }
    ASSERT_TRUE(directo && invertido) << "the random draw never gave one of the orders";
    EXPECT_EQ(directo->otros, (std::array<int32_t, 3>{0, 1, 3}));
    EXPECT_EQ(invertido->otros, (std::array<int32_t, 3>{3, 1, 0}));
    EXPECT_EQ(invertido->posotros, (std::array<int32_t, 3>{2, 1, 0}));

    struct Caso {
        TExplicacion* e;
        std::map<std::string, std::string> retratoX;  // portrait -> x at rest
        std::string teclas1X;                         // box of player 0's keys
    };
    const Caso casos[] = {
        {directo.get(), {{kRetratos[0], "870"}, {kRetratos[1], "770"}, {kRetratos[3], "670"}}, "845"},
        {invertido.get(), {{kRetratos[3], "870"}, {kRetratos[1], "770"}, {kRetratos[0], "670"}}, "645"},
    };
    for (const Caso& caso : casos) {
        const int inicio = session::FlipCount();
        auto cuadros = mostrar(*caso.e, {"200 type a", "420 type b"});
        const int flip = inicio + reposo(cuadros, 2).first;
        ASSERT_GT(flip, inicio);

        std::map<std::string, std::string> retratoX;
        for (const std::string& l : ops("image", flip)) {
            if (Field(l, "src").rfind("artwork/char-", 0) != 0) continue;
            retratoX[Field(l, "src")] = Field(l, "x");
            EXPECT_EQ(Field(l, "y"), "820");
            EXPECT_EQ(Field(l, "scale"), "[0.7,0.7]");
            EXPECT_EQ(Field(l, "handle"), "[20,59]");
        }
        EXPECT_EQ(retratoX, caso.retratoX);

        // Two boxes per player, stacking upward from y = 200; the first two are teclas1.
        auto cajas = ops("rect", flip);
        ASSERT_EQ(cajas.size(), 6u);
        EXPECT_EQ(Field(cajas[0], "x"), caso.teclas1X);
        EXPECT_EQ(Field(cajas[0], "y"), "200");
        EXPECT_EQ(Field(cajas[1], "x"), caso.teclas1X);
        EXPECT_EQ(Field(cajas[1], "y"), "170");
        EXPECT_EQ(Field(cajas[0], "w"), "50");
        EXPECT_EQ(Field(cajas[0], "rgb"), "[255,255,255]");
    }
}

TEST_F(ExplicacionTest, PagesLookAsDesigned) {
    auto e = ejemplo(1);
    SetColor(200, 100, 50);
    auto cuadros = mostrar(*e, {"200 type a", "420 type b"});
    const int uno = reposo(cuadros, 1).first, otros = reposo(cuadros, 2).first;
    ASSERT_TRUE(uno && otros);

    // The turn page clears to white, the others' page to black.
    EXPECT_EQ(Field(ops("cls", uno).at(0), "rgb"), "[255,255,255]");
    EXPECT_EQ(Field(ops("cls", otros).at(0), "rgb"), "[0,0,0]");

    // The strip opens about the middle line: squashed to 100 / d far out, 10 at rest.
    auto primero = ops("image", 1).at(0);
    EXPECT_EQ(Field(primero, "src"), "artwork/fondoraro.png");
    EXPECT_EQ(Field(primero, "handle"), "[0,384]");
    EXPECT_EQ(Field(primero, "y"), "384");
    EXPECT_EQ(Field(primero, "scale"), "[1,0.05]");
    EXPECT_EQ(Field(ops("image", uno).at(0), "scale"), "[1,10]");

    // Turn page: portrait of player 1, centred title, instructions and prompt, all in the
    // colour in force when the screen started.
    auto imagenes = ops("image", uno);
    ASSERT_EQ(imagenes.size(), 2u);
    EXPECT_EQ(Field(imagenes[1], "src"), kRetratos[1]);
    EXPECT_EQ(Field(imagenes[1], "x"), "150");
    auto t = ops("text", uno);
    ASSERT_EQ(t.size(), 4u);
    SetImageFont(TExplicacion::fuente);
    EXPECT_FLOAT_EQ(std::stof(Field(t[0], "x")), 512 - TextWidth("Acicalandose") / 2);
    EXPECT_EQ(Field(t[0], "y"), "30");
    EXPECT_EQ(Field(t[0], "font"), "comic.ttf@60");
    EXPECT_EQ(Field(t[2], "text"), "antes que nadie");
    EXPECT_EQ(Field(t[2], "x"), "300");
    EXPECT_EQ(Field(t[2], "y"), "145");
    EXPECT_EQ(Field(t[2], "scale"), "[0.5,0.5]");
    EXPECT_EQ(Field(t[3], "x"), "450");
    EXPECT_EQ(Field(t[3], "scale"), "[0.45,0.45]");
    for (const std::string& l : t) {
        EXPECT_EQ(Field(l, "rgb"), "[200,100,50]");
        EXPECT_EQ(Field(l, "blend"), "3");
    }

    // Others' page: key labels in the built-in font, black, one and a half times as big;
    // the title, lines and prompt after them come out black too.
    t = ops("text", otros);
    ASSERT_EQ(t.size(), 6 + 3u);
    EXPECT_EQ(Field(t[0], "text"), "Q");
    EXPECT_EQ(Field(t[0], "font"), "builtin");
    EXPECT_EQ(Field(t[0], "scale"), "[1.5,1.5]");
    SetImageFont(nullptr);
    EXPECT_FLOAT_EQ(std::stof(Field(t[0], "y")), 200 + 12.5f - TextHeight("Q") / 2);
    EXPECT_EQ(Field(t[6], "text"), "Acicalandose");
    EXPECT_EQ(Field(t[6], "font"), "comic.ttf@60");
    EXPECT_EQ(Field(t[7], "x"), "20");
    for (size_t i = 6; i < t.size(); ++i) EXPECT_EQ(Field(t[i], "rgb"), "[0,0,0]") << i;

    // Each frame puts the colour back, so the screen ends with the colour it started with.
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{200, 100, 50}));
}

TEST_F(ExplicacionTest, EmptyListsDrawNothingButThePageStillWaits) {
    auto e = TExplicacion::Create(0, "Vacio", {}, {}, {}, {}, {});
    auto cuadros = mostrar(*e, {"200 type a", "420 type b"});
    EXPECT_TRUE(testrig::TraceOps("rect").empty());
    auto [primero, ultimo] = reposo(cuadros, 2);
    EXPECT_EQ(ultimo, 420);
    // Without key boxes the title keeps the frame colour.
    auto t = ops("text", primero);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(Field(t[0], "rgb"), "[255,255,255]");
}

// Keys and buttons already down when a page comes to rest do not end it: only a newly
// typed character or a button pressed during the hold does.
TEST_F(ExplicacionTest, OnlyNewInputEndsTheHold) {
    auto e = ejemplo(3);
    auto cuadros = mostrar(
        *e, {"60 key Enter down", "200 type a", "300 button 1 down", "410 button 1 up", "420 button 2 down"});
    auto [inicio1, fin1] = reposo(cuadros, 1);
    EXPECT_LT(inicio1, 150);
    EXPECT_EQ(fin1, 200);
    auto [inicio2, fin2] = reposo(cuadros, 2);
    EXPECT_LT(inicio2, 300 + 150);
    EXPECT_GT(inicio2, 300);
    EXPECT_EQ(fin2, 420);
}

// Entry: d falls by e^(-2.5 t) from 2000 to 10, about 2.1 s; exit: grows by e^(7.5 t)
// from 10 to 2000, about 0.7 s (a little more at 60 frames a second).
TEST_F(ExplicacionTest, EntryAndExitTakeTheirTimeOnTheVirtualClock) {
    auto e = ejemplo(0);
    const int32_t t0 = Millisecs();
    auto cuadros = mostrar(*e, {"200 type a", "420 type b"});
    for (int pagina : {1, 2}) {
        auto [primero, ultimo] = reposo(cuadros, pagina);
        int entrada = 0, salida = 0, antes = 0;
        for (const auto& [flip, c] : cuadros) {
            if (c.pagina != pagina) continue;
            if (flip < primero) {
                if (!entrada) antes = flip;
                entrada = flip;
            }
            if (flip > ultimo) salida = flip;
        }
        const int32_t inicioEntrada = pagina == 1 ? t0 : cuadros[antes - 1].ms;
        const double sEntrada = (cuadros[entrada].ms - inicioEntrada) / 1000.0;
        const double sSalida = (cuadros[salida].ms - cuadros[ultimo].ms) / 1000.0;
        EXPECT_NEAR(sEntrada, 2.1, 0.1) << "page " << pagina;
        EXPECT_NEAR(sSalida, 0.72, 0.06) << "page " << pagina;
        // Far out at both ends.
        EXPECT_GT(cuadros[antes].pulsa, 730 + 1900);
        EXPECT_GT(cuadros[salida].pulsa, 730 + 1000);
    }
}

// A seat with a controller shows, beside each key box, the button that presses that key;
// seats without one look as always.
TEST_F(ExplicacionTest, ControllerButtonsShowBesideTheKeysOfSeatsThatHaveOne) {
    asientos::TPapeles m = asientos::soloRaton(0);
    m[1].teclas = {KEY_Q, KEY_W};
    m[2].teclas = {KEY_V, KEY_B};
    m[3].teclas = {KEY_O, KEY_P};
    asientos::TPapelesPublicados publicados(m);
    std::unique_ptr<TExplicacion> e;
    for (int i = 0; i < 64 && !(e && e->posotros[0] == 0); ++i) e = ejemplo(0);
    ASSERT_EQ(e->posotros[0], 0);
    // Tarsun (on turn) and Er_Varsen have controllers; the second page ends with Er_Varsen's
    // A, which types as a key would.
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "150 pad 1 button a down", "151 pad 1 button a up"});
    auto cuadros = mostrar(*e, {"380 pad 2 button a down", "381 pad 2 button a up"});
    const int flip = reposo(cuadros, 2).first;
    ASSERT_GT(flip, 0);
    auto botones = ops("oval", flip);
    ASSERT_EQ(botones.size(), 2u) << "only Er_Varsen's two keys";
    std::vector<std::string> etiquetas;
    for (const std::string& l : ops("text", flip))
        if (Field(l, "font") == "builtin") etiquetas.push_back(Field(l, "text"));
    EXPECT_EQ(etiquetas, (std::vector<std::string>{"Q", "W", "V", "B", "O", "P", "<", ">"}));
    // Er_Varsen's boxes stand at x 845 (the first shown): the buttons just right of them.
    EXPECT_EQ(Field(botones[0], "x"), "898");
    EXPECT_EQ(Field(botones[0], "y"), "200");
    EXPECT_EQ(Field(botones[1], "y"), "170");
    EXPECT_EQ(Field(botones[0], "rgb"), "[40,40,40]");
}

// With computers in every seat, each page at rest shows a mark per computer portrait
// (one on the turn page, three on the others'), drawn after every portrait and clear of
// all of them and of "Pulsa una tecla...": nothing covers a mark, and no mark covers text.
TEST_F(ExplicacionTest, ComputerMarksStandClearOfPortraitsAndThePrompt) {
    asientos::Eleccion todas;
    todas.cpu.fill(true);
    asientos::configurar(todas, 1);
    auto e = ejemplo(2);
    const int inicio = session::FlipCount();
    // The computer on turn ends each page by itself; the typed keys are a safety net.
    auto cuadros = mostrar(*e, {"700 type a", "1100 type b"});
    SetImageFont(TExplicacion::fuente);
    struct Caja {
        float x0, y0, x1, y1;
    };
    const float escala = 0.45f;
    const Caja pulsa{450, 730, 450 + TextWidth("Pulsa una tecla...") * escala,
                     730 + TextHeight("Pulsa una tecla...") * escala};
    auto cruzan = [](const Caja& a, const Caja& b) {
        return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
    };
    for (int pagina : {1, 2}) {
        const int flip = inicio + reposo(cuadros, pagina).first;
        ASSERT_GT(flip, inicio) << "page " << pagina << " never came to rest";
        std::vector<Caja> retratos, marcas;
        bool retratoEncima = false;
        for (const std::string& l : rig::CapturedTrace()) {
            if (Field(l, "flip") != std::to_string(flip)) continue;
            const std::string op = Field(l, "op");
            if (op == "image" && Field(l, "src").rfind("artwork/char-", 0) == 0) {
                // 40 x 60 portraits at 0.7, handled at their bottom centre (20, 59).
                const float x = std::stof(Field(l, "x")), y = std::stof(Field(l, "y"));
                retratos.push_back({x - 14, y - 41.3f, x + 14, y + 0.7f});
                retratoEncima = retratoEncima || !marcas.empty();
            } else if (op == "rect" && Field(l, "rgb") == "[20,20,20]") {
                const float x = std::stof(Field(l, "x")), y = std::stof(Field(l, "y"));
                marcas.push_back({x, y, x + std::stof(Field(l, "w")), y + std::stof(Field(l, "h"))});
            }
        }
        EXPECT_EQ(marcas.size(), pagina == 1 ? 1u : 3u) << "page " << pagina;
        EXPECT_FALSE(retratoEncima) << "a portrait drawn over a mark on page " << pagina;
        for (const Caja& m : marcas) {
            EXPECT_FALSE(cruzan(m, pulsa)) << "a mark over the prompt on page " << pagina << " at y " << m.y0;
            for (const Caja& r : retratos) EXPECT_FALSE(cruzan(m, r)) << "a mark over a portrait on page " << pagina;
        }
    }
    asientos::configurar({}, 1);
}
