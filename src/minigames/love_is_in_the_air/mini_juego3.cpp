// "Love is in the air": the explanation, the entrance, the phrase list with its running
// highlight, the others' pushes and the outcome.
#include "minigames/love_is_in_the_air/mini_juego3.h"

#include "engine/pausa.h"
#include "minigames/love_is_in_the_air/frases.h"

#include "engine/explicacion.h"
#include "engine/gestor_sonido.h"
#include "minigames/love_is_in_the_air/cerebro_love_is_in_the_air.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/session/clock.h"
#include "platform/video/render.h"

#include <vector>

TImageFontPtr TMiniJuego3::fuente;

const std::array<std::string, 15> TMiniJuego3::frases = ::frases::originales();

namespace {
// One line of the explanation per entry, as shown.
// clang-format off
const std::vector<std::string> kTextoTurno = {
    "Todo el rato mirando a la chica",
    "de la fila de enfrente,",
    "tienes dos opciones o decirle",
    "algo bonito y ganar una amiga",
    "o decirle algo feo y recibir ",
    "un bofeton o un insulto.",
    "Utiliza la tecla ESPACIO para",
    "elegir una de las frases que aparecen",
    "y procura que tus colegas no puedan",
    "preverlo! Cuanto mas esperes, mas",
    "rapido cambiaran las frases.",
};
const std::vector<std::string> kTextoOtros = {
    "Este salido no para de babear, y ya",
    "nos empieza a dar asquito.",
    "Intentemos presionarle para que",
    "la cague!",
    "",
    "justo despues de que elija su frase",
    "para cambiar la seleccion e intentar",
    "que diga algo incorrecto...",
    "pero cuidado, tambien podriais",
    "hacer que diga algo correcto!",
    // Which key and when: the page above says neither.
    "Q, Y, P tras su ESPACIO: bajan una frase",
};

// clang-format on

// The suitor picture of a seat: "artwork\\tarsun-enamorao.png".
std::string archivoPretendiente(int s) {
    return std::string("artwork\\") + asientos::personaje(s).carpeta + "-enamorao.png";
}

// The keys of the three others: each hit pushes the highlight one line on.
constexpr std::array<int, 3> kTeclasEmpujar = {KEY_Q, KEY_Y, KEY_P};

constexpr int kLineas = 15;
constexpr float kVentanaEmpujes = 0.5f;  // seconds the others have after the pick

// Left edge x, bottom on the screen's bottom edge.
void dibujarAbajo(const TImagePtr& img, int x) {
    DrawImage(img, static_cast<float>(x), static_cast<float>(768 - ImageHeight(img)));
}
}  // namespace

void TMiniJuego3::cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 16, SMOOTHFONT);
}

std::unique_ptr<TMiniJuego3> TMiniJuego3::Create(const VBAPtr&, const TPaquetes&) {
    return std::make_unique<TMiniJuego3>();
}

void TMiniJuego3::explicar(int t) {
    SetScale(1, 1);
    auto ex = TExplicacion::Create(t, "LOVE IS IN THE AIR", kTextoTurno, kTextoOtros, {"Q"}, {"Y"}, {"P"});
    ex->show();
}

void TMiniJuego3::prepararJuego(int t) {
    SetScale(1, 1);
    turno = t;
    fondo = LoadImage("artwork\\fondo-minijuego3.png");
    chica = LoadImage("artwork\\chica-gorvia.png");
    chicaOstion = LoadImage("artwork\\chica-gorvia-ostion.png");
    // A roster only ever hands out slots 0..3; anything else shows no suitor.
    pretendiente = t >= 0 && t < 4 ? LoadImage(archivoPretendiente(t)) : nullptr;
    SetImageFont(fuente);
    lineas = &::frases::enJuego();
    // The clock starts unstarted so that its first update jumps past the first interval
    // and the highlight moves on the second frame. Measured from clock 0 that jump would
    // be the machine's whole uptime, and a float timer of days loses the frame times (the
    // highlight would stop and the push window never close); one second does the job.
    reloj = std::make_unique<TTiempo>();
    reloj->ultimoTiempo = static_cast<int32_t>(static_cast<uint32_t>(pausa::reloj()) - 1000u);
    ultimoCambio = reloj->getTimer(0);
}

void TMiniJuego3::entrada() {
    while (xChica > 800) {
        SetColor(255, 255, 255);
        SetAlpha(fundido);
        DrawImage(fondo, 0, 0);
        dibujarAbajo(chica, xChica);
        xChica = static_cast<int>(static_cast<float>(xChica) - paso);
        dibujarAbajo(pretendiente, xPretendiente);
        xPretendiente = static_cast<int>(static_cast<float>(xPretendiente) + paso);
        fundido += 0.1f;
        paso *= 0.9f;
        Flip(-1);
        Cls();
    }
}

void TMiniJuego3::dibujarFrases() const {
    for (int i = 0; i < kLineas; ++i) {
        if (i == seleccion)
            SetColor(255, 0, 0);
        else
            SetColor(0, 0, 0);
        DrawText((*lineas)[static_cast<size_t>(i)], 350, static_cast<float>(50 + 32 * i));
    }
}

bool TMiniJuego3::frameJuego() {
    // The scene.
    SetColor(255, 255, 255);
    if (fase == 2) {
        fundido -= 0.1f;
        SetAlpha(fundido);
    }
    DrawImage(fondo, 0, 0);
    SetAlpha(1);

    if (fase == 2) {
        dibujarAbajo(resultado == 0 ? chicaOstion : chica, xChica);
        // Both slide out to the left, faster and faster.
        xChica = static_cast<int>(static_cast<float>(xChica) - paso);
        xPretendiente = static_cast<int>(static_cast<float>(xPretendiente) - paso);
        paso *= 1.05f;
    } else {
        dibujarAbajo(chica, xChica);
    }
    dibujarAbajo(pretendiente, xPretendiente);

    if (fase == 2) SetAlpha(fundido);
    dibujarFrases();

    const float now = reloj->getTimer(0);

    // Choosing: the highlight runs down the list until Space.
    if (fase == 0) {
        paso = 1;
        if (KeyHit(KEY_SPACE)) {
            fase = 1;
            ultimoCambio = reloj->getTimer(0);
            // Only presses made after the pick push: hits of the others' keys from the
            // entrance or the choosing are dropped here.
            for (int tecla : kTeclasEmpujar) KeyHit(tecla);
        }
        if (now - ultimoCambio > intervalo) {
            seleccion += 1;
            if (seleccion >= kLineas) {
                seleccion = 0;
                if (intervalo > intervaloMinimo) intervalo /= 2;
            }
            ultimoCambio = reloj->getTimer(0);
        }
        reloj->update();
    }

    // Pushing: each of the others' keys hit since the last frame pushes one line on.
    if (fase == 1) {
        for (int tecla : kTeclasEmpujar)
            if (KeyHit(tecla)) seleccion += 1;
        if (now - ultimoCambio > kVentanaEmpujes) {
            fase = 2;
            FlushKeys();
        }
        reloj->update();
    }

    // Outcome: decided once, then the scene plays out until the girl has gone.
    if (fase == 2) {
        if (resultado == -1) {
            if (seleccion % 3 == 0) {
                resultado = 1;
                gestorSonido().reproducir("sfx/muack.wav");
            } else {
                resultado = 0;
                gestorSonido().reproducir("sfx/boum.wav");
            }
        }
        if (xChica < -1080) fase = 3;
    }

    Flip(-1);
    Cls();
    return fase != 3;
}

asientos::TPapeles TMiniJuego3::asientos(int turno) const {
    asientos::TPapeles m;
    if (turno >= 0 && turno < asientos::NUM_ASIENTOS) m[static_cast<size_t>(turno)].teclas = {KEY_SPACE};
    const std::array<int, 3> otros = oponentes(turno);
    for (size_t k = 0; k < 3; ++k) m[static_cast<size_t>(otros[k])].teclas = {kTeclasEmpujar[k]};
    return m;
}

std::unique_ptr<asientos::TCerebro> TMiniJuego3::cerebro() const {
    return crearCerebro(*this);
}
