// "Escondite Coder": module resources, the play, the frame loop and the closing scene.
#include "minigames/escondite_coder/mini_juego4.h"

#include "engine/explicacion.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "minigames/escondite_coder/cerebro_escondite_coder.h"
#include "platform/base/random.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>

// ---- module resources and texts ----

TImagePtr TMiniJuego4::fondo;
TImagePtr TMiniJuego4::mesa;
TImagePtr TMiniJuego4::silla;
TImageFontPtr TMiniJuego4::fuenteJefe;
const std::array<std::string, 14> TMiniJuego4::lineasCodigo = {
    "struct",
    "subtype",
    "C++",
    "if x then y",
    "aum++;",
    "class Pepe",
    "$FF000000",
    "lurdel:String = ''",
    "gannnyannnn",
    "hacendado++;",
    "pizza.eat ();",
    "Arise ();",
    "coder.sleep (false)",
    "shuttle (venus);",
};

namespace {
constexpr int kEscape = 27;
// Seconds a step keeps a coder moving (caught if the boss turns about meanwhile), and
// the least time between two accepted key hits.
constexpr float kMovido = 0.25f;
constexpr float kEntrePasos = 0.1f;
// Seconds a code line stays before the coder types another.
constexpr float kCadaLinea = 0.35f;
// The boss watches until his countdown falls below this, then works again from 10.
constexpr float kFinVigilancia = -1.25f;
constexpr float kCuentaInicial = 10;
// Caught coders slide back down, units per second.
constexpr float kDeslizamiento = 50;

const std::vector<std::string> kTextoJefe = {
    "Aqui nadie da palo al agua!!",
    "Van a rodar cabezas...",
    "Vigilare a estos vagos",
    "para asegurarme de que",
    "piquen codigo sin parar.",
    "... y yo mientras me",
    "deleitare con las azafatas...",
    "",
    "Agita el raton para reducir",
    "la cuenta atras de improviso",
    "y pillar a tus colegas si intentan",
    "huir a la zona de ocio!",
    "QUE NO SE TE ESCAPE NADIE!",
};
const std::vector<std::string> kTextoCoders = {
    "Uff el matao este nada mas",
    "que dar ordenes... en cuanto",
    "no mire, nos escapamos al",
    "pabellon de ocio!",
    "",
    "Presionad la tecla repetidamente",
    "para avanzar, pero cuidado!",
    "Que no os pille vuestro colega!",
    "Vigilad su cuenta atras.",
};

// Animations of the figures.
constexpr int kCelebrando = 5, kDecepcionado = 6, kCoderTrabajando = 12, kJefeTrabajando = 13,
              kJefeVigilando = 14, kJefePillando = 15;

void animar(TFicha& f, int a, float ahora) {
    f.anima(a, ahora, 1);
}
}  // namespace

void TMiniJuego4::cargarRecursos() {
    fondo = LoadImage("artwork/fondillo4.png");
    mesa = LoadImage("artwork/mesasola.png");
    MidHandleImage(mesa);
    silla = LoadImage("artwork/sillasola.png");
    if (silla)
        SetImageHandle(silla, static_cast<float>(ImageWidth(silla) / 2),
                       static_cast<float>(ImageHeight(silla) - 1));
    fuenteJefe = LoadImageFont("artwork/comic.ttf", 250, SMOOTHFONT);
}

// ---- the play ----

std::unique_ptr<TMiniJuego4> TMiniJuego4::Create(const VBAPtr& vba, const TPaquetes& packs) {
    auto m = std::make_unique<TMiniJuego4>();
    m->anim = vba;
    m->gfx = packs;
    m->cam = TCamera::Create();
    m->cam->setFrame(0, 0, 1024, 768, 0);
    m->cam->setPosition(512, 384);
    return m;
}

bool TMiniJuego4::jugarFrame() {
    if (!sigueJuego()) return false;
    frameJuego();
    return true;
}

int TMiniJuego4::terminar() {
    // Escape held ends the play at once: a loss for the boss, unless the outcome was
    // already decided on screen (a coder away, all caught, the meter run out), which
    // then stands.
    if (KeyDown(kEscape) && !decidido()) return 0;
    const int r = resultado();
    if (KeyDown(kEscape)) return r;
    escenaFinal();
    return r;
}

void TMiniJuego4::explicar(int t) {
    auto ex = TExplicacion::Create(t, "ESCONDITE CODER", kTextoJefe, kTextoCoders, {"Q"}, {"B"}, {"P"});
    ratonAntX = MouseX();
    ratonAntY = MouseY();
    ex->show();
    tiempo->update();
}

int TMiniJuego4::animacionAzafata() {
    // Each choice is a new draw, which spreads the five about evenly.
    if (Rand(0, 100) < 20) return 1;
    if (Rand(0, 100) < 25) return 5;
    if (Rand(0, 100) < 33) return 8;
    if (Rand(0, 100) < 50) return 10;
    return 14;
}

void TMiniJuego4::prepararJuego(int t) {
    turno = t;
    // The boss's countdown shows a new digit every few tenths of a second; made now, in the
    // order they first show, they do not each cost a frame during the play.
    PrepareGlyphs(fuenteJefe, "1098765432");
    auto paquete = [this](int c) {
        return c >= 0 && c < static_cast<int>(gfx.size()) ? gfx[static_cast<size_t>(c)] : nullptr;
    };
    auto ficha = [this, &paquete](int c) {
        TFichaPtr f = TFicha::Create(nullptr);
        f->init(anim, paquete(c));
        listaSprites.push_back(f);
        return f;
    };
    const float ahora = now();

    fichaTurno = ficha(t);
    const std::array<int, 3> coders = oponentes(t);
    for (size_t k = 0; k < 3; ++k) otros[k] = ficha(coders[k]);
    for (size_t k = 0; k < 3; ++k) {
        cuandoOK[k] = cuandoPress[k] = ahora;
        ready[k] = 1;
        pillado[k] = 0;
        dir[k] = 1;
        mesas[k] = TAcces::Create(nullptr);
        mesas[k]->setGrafico(mesa);
        listaSprites.push_back(mesas[k]);
        sillas[k] = TAcces::Create(nullptr);
        sillas[k]->setGrafico(silla);
        listaSprites.push_back(sillas[k]);
        linea[k] = Rand(0, 13);
        cuandoLinea[k] = ahora + kCadaLinea;
    }

    const int n = Rand(4, 7);
    for (int i = 0; i < n; ++i) {
        TFichaPtr tia = ficha(PAQUETE_CHICA);
        const auto x = static_cast<float>(Rnd(870, 990));
        const auto y = static_cast<float>(Rnd(130, 320));
        tia->setPosition(x, y);
        animar(*tia, animacionAzafata(), ahora);
        tias.push_back(tia);
    }

    fichaTurno->setPosition(830, 190);
    animar(*fichaTurno, kJefeTrabajando, ahora);
    for (size_t k = 0; k < 3; ++k) {
        otros[k]->setPosition(320.0f + 128.0f * static_cast<float>(k), 704);
        animar(*otros[k], kCoderTrabajando, ahora);
    }
    tiempo->update();
    contador = TContador::Create(30);
    cima = 768;
}

bool TMiniJuego4::sigueJuego() {
    if (KeyDown(kEscape)) return false;
    return !decidido();
}

bool TMiniJuego4::decidido() const {
    if (pillado[0] && pillado[1] && pillado[2]) return true;
    return salvado != 0 || contador->haAcabado();
}

void TMiniJuego4::getInput() {
    const float ahora = now();
    for (size_t k = 0; k < 3; ++k) {
        // The hit is read (and so used up) whatever follows: a hit too soon is lost.
        if (!(KeyHit(teclas[k]) && ahora > cuandoPress[k] && !pillado[k])) continue;
        ready[k] = 0;
        cuandoOK[k] = ahora + kMovido;
        cuandoPress[k] = ahora + kEntrePasos;
        TFicha& c = *otros[k];
        c.y -= kPaso;
        if (c.y <= kCima) {
            c.y = kCima;
            salvado = 1;
            if (k == 0) gestorSonido().reproducir("sfx/hey.wav");
        }
        dir[k] = -dir[k];
        gestorSonido().reproducir("sfx/stomp.wav");
    }
}

void TMiniJuego4::colocarMuebles(int k) {
    const TFicha& c = *otros[static_cast<size_t>(k)];
    mesas[static_cast<size_t>(k)]->setPosition(c.x, c.y - 60);
    sillas[static_cast<size_t>(k)]->setPosition(c.x, c.y + 15);
}

void TMiniJuego4::inclinar(int k, float factor) {
    const size_t i = static_cast<size_t>(k);
    otros[i]->setAngle(-10 * factor);
    mesas[i]->setAngle(10 * factor);
    sillas[i]->setAngle(-10 * factor);
}

void TMiniJuego4::dibujarEscena() {
    DrawImage(fondo, 0, 0);
    std::stable_sort(listaSprites.begin(), listaSprites.end(),
                     [](const TSpritePtr& a, const TSpritePtr& b) { return a->Compare(*b) < 0; });
    for (const TSpritePtr& s : listaSprites) s->Dibujar(*cam);
}

void TMiniJuego4::frameJuego() {
    Cls();
    tiempo->update();
    const float inc = tiempo->getInc(0);
    contador->update();
    const float ahora = now();

    // The further the coders have got, the faster the boss grows suspicious.
    const float p = (768 - cima) / 640;
    ritmo = p < 0.25f ? 1.25f : p < 0.5f ? 1.75f : p < 0.75f ? 2.5f : 3.5f;

    getInput();

    const int dx = MouseX() - ratonAntX, dy = MouseY() - ratonAntY;
    const int agitado =
        static_cast<int>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    ratonAntX = MouseX();
    ratonAntY = MouseY();

    if (cuenta >= 0) {
        ritmo += static_cast<float>(agitado) / 25;
        cuenta -= ritmo * inc;
        if (cuenta < 0) {
            gestorSonido().reproducir("sfx/wosh.wav");
            animar(*fichaTurno, kJefeVigilando, ahora);
        }
    } else {
        cuenta -= ritmo * inc;
        if (cuenta < kFinVigilancia) {
            animar(*fichaTurno, kJefeTrabajando, ahora);
            cuenta = kCuentaInicial;
        }
    }
    fichaTurno->update(inc, ahora);

    for (int k = 0; k < 3; ++k) {
        const size_t i = static_cast<size_t>(k);
        TFicha& c = *otros[i];
        if (!pillado[i]) {
            cima = std::min(cima, c.y);
            colocarMuebles(k);
        } else {
            c.y += kDeslizamiento * inc;  // the furniture stays where he was caught
        }
        c.update(inc, ahora);
        if (ready[i]) {
            inclinar(k, 0);
            if (ahora > cuandoLinea[i]) {
                linea[i] = Rand(0, 13);
                cuandoLinea[i] = ahora + kCadaLinea;
            }
        } else {
            inclinar(k, dir[i]);
        }
    }
    for (const TFichaPtr& t : tias) t->update(inc, ahora);
    for (const TSpritePtr& s : listaSprites) s->setZ(s->getY());

    dibujarEscena();
    GL::push();
    for (size_t k = 0; k < 3; ++k) {
        TFicha& c = *otros[k];
        if (ready[k] && !pillado[k]) {
            const std::string& texto = lineasCodigo[static_cast<size_t>(linea[k])];
            SetImageFont(nullptr);
            SetScale(1, 1.25f);
            DrawText(texto, c.x - TextWidth(texto) / 2, c.y - 120);
        } else if (cuenta < 0 && !pillado[k]) {
            pillado[k] = 1;
            gestorSonido().reproducir("sfx/pillada.wav");
            animar(*fichaTurno, kJefePillando, ahora);
            animar(c, kDecepcionado, ahora);
        } else if (cuenta >= 0 && ahora > cuandoOK[k]) {
            ready[k] = 1;
        }
    }
    if (cuenta >= 0) {
        SetImageFont(fuenteJefe);
        SetScale(1, 1);
        SetColor(255, 255, 255);
        DrawText(std::to_string(static_cast<int>(cuenta)), 800, 300);
    }
    GL::pop();

    contador->Dibujar();
    Flip(1);
    tiempo->esperaFrame();
}

int TMiniJuego4::resultado() {
    const float ahora = now();
    const bool gana = salvado != 1;
    animar(*fichaTurno, gana ? kCelebrando : kDecepcionado, ahora);
    for (const TFichaPtr& c : otros) animar(*c, gana ? kDecepcionado : kCelebrando, ahora);
    return gana ? 1 : 0;
}

void TMiniJuego4::escenaFinal() {
    const float fin = now() + 2;
    do {
        Cls();
        tiempo->update();
        const float inc = tiempo->getInc(0);
        const float ahora = now();
        fichaTurno->update(inc, ahora);
        for (int k = 0; k < 3; ++k) {
            const size_t i = static_cast<size_t>(k);
            otros[i]->update(inc, ahora);
            colocarMuebles(k);
            inclinar(k, pillado[i] ? 0 : dir[i]);
        }
        for (const TFichaPtr& t : tias) t->update(inc, ahora);
        dibujarEscena();
        contador->Dibujar();
        Flip(1);
        tiempo->esperaFrame();
    } while (now() < fin);
}

std::unique_ptr<asientos::TCerebro> TMiniJuego4::cerebro() const {
    return crearCerebro(*this);
}
