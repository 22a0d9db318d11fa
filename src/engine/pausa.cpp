// The pause: the game's clock, the panel over the frozen picture and its confirmation.
#include "engine/pausa.h"

#include "engine/asiento/papeles.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"
#include "platform/session/clock.h"
#include "platform/sound/sound.h"
#include "platform/video/render.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pausa {
namespace {

struct Estado {
    bool activa = false;  // a TPausable is alive
    Tipo tipo = Tipo::Partida;
    bool panel = false;
    int32_t pausado = 0;  // ms spent in the panel, all pauses together
};
Estado st;
TImageFontPtr fuente;

// The panel, in virtual units, centred on the screen.
constexpr float kPanelX = 252, kPanelY = 224, kPanelW = 520, kPanelH = 320;
constexpr float kAnchoTexto = kPanelW - 60;  // widest a line may be

// The render state the game had when it flipped: the panel draws with its own and gives
// every part of it back.
struct EstadoDibujo {
    int r = 0, g = 0, b = 0, cr = 0, cg = 0, cb = 0;
    float alpha = 1, rotacion = 0, sx = 1, sy = 1, ox = 0, oy = 0;
    int blend = ALPHABLEND;
    int vx = 0, vy = 0, vw = 0, vh = 0;
    TImageFontPtr font;

    static EstadoDibujo actual() {
        EstadoDibujo e;
        GetColor(e.r, e.g, e.b);
        GetClsColor(e.cr, e.cg, e.cb);
        e.alpha = GetAlpha();
        e.rotacion = GetRotation();
        GetScale(e.sx, e.sy);
        GetOrigin(e.ox, e.oy);
        e.blend = GetBlend();
        GetViewport(e.vx, e.vy, e.vw, e.vh);
        e.font = GetImageFont();
        return e;
    }
    void restaurar() const {
        SetColor(r, g, b);
        SetClsColor(cr, cg, cb);
        SetAlpha(alpha);
        SetTransform(rotacion, sx, sy);
        SetOrigin(ox, oy);
        SetBlend(blend);
        SetViewport(vx, vy, vw, vh);
        SetImageFont(font);
    }
};

// A neutral state over the whole screen.
void estadoLimpio() {
    SetViewport(0, 0, GraphicsWidth(), GraphicsHeight());
    SetOrigin(0, 0);
    SetTransform(0, 1, 1);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetClsColor(0, 0, 0);
}

float ratonX() {
    const int w = GraphicsWidth();
    return w > 0 ? static_cast<float>(MouseX()) * 1024.0f / static_cast<float>(w) : 0;
}
float ratonY() {
    const int h = GraphicsHeight();
    return h > 0 ? static_cast<float>(MouseY()) * 768.0f / static_cast<float>(h) : 0;
}

// One line of text centred on cx at y, shrunk to fit the panel's width.
struct TTexto {
    std::string texto;
    float cx = 0, y = 0, escala = 1;
    float ancho() const { return TextWidth(texto) * escala; }
    float alto() const { return TextHeight(texto) * escala; }
    bool contiene(float x, float yy) const {
        const float w = std::max(ancho(), 80.0f);
        return x >= cx - w / 2 - 10 && x <= cx + w / 2 + 10 && yy >= y - 4 && yy <= y + alto() + 4;
    }
    void dibujar() const {
        SetScale(escala, escala);
        DrawText(texto, cx - ancho() / 2, y);
        SetScale(1, 1);
    }
};

TTexto texto(const std::string& t, float cx, float y, float escala) {
    TTexto l{t, cx, y, escala};
    if (l.ancho() > kAnchoTexto) l.escala = escala * kAnchoTexto / l.ancho();
    return l;
}

// One frame of the panel: the frozen picture, dimmed, the panel with its heading and
// its choices, the chosen one in the menus' blue.
void dibujar(const TImagePtr& foto, const TTexto& cabecera, const std::vector<TTexto>& opciones, int elegida) {
    estadoLimpio();
    Cls();
    DrawImage(foto, 0, 0, 0);
    SetColor(0, 0, 0);
    SetAlpha(0.55f);
    DrawRect(0, 0, 1024, 768);
    SetAlpha(1);
    SetColor(40, 30, 70);
    DrawRect(kPanelX - 6, kPanelY - 6, kPanelW + 12, kPanelH + 12);
    SetColor(250, 240, 215);
    DrawRect(kPanelX, kPanelY, kPanelW, kPanelH);
    SetImageFont(fuente);
    SetColor(40, 30, 70);
    cabecera.dibujar();
    for (size_t i = 0; i < opciones.size(); ++i) {
        if (static_cast<int>(i) == elegida)
            SetColor(64, 127, 255);
        else
            SetColor(0, 0, 0);
        opciones[i].dibujar();
    }
}

// Shows the panel until a choice is made: its index, or -1 for Escape (or Start) again.
// Up and Down (Left and Right too) move, Enter chooses, the mouse points and clicks.
int elegir(const TImagePtr& foto, const TTexto& cabecera, const std::vector<TTexto>& opciones, int inicial) {
    const int n = static_cast<int>(opciones.size());
    int elegida = inicial;
    FlushKeys();
    FlushMouse();
    float mx = ratonX(), my = ratonY();
    while (true) {
        if (input::TakePauseRequest()) return -1;
        const int paso = (KeyHit(KEY_DOWN) > 0 ? 1 : 0) + (KeyHit(KEY_RIGHT) > 0 ? 1 : 0) -
                         (KeyHit(KEY_UP) > 0 ? 1 : 0) - (KeyHit(KEY_LEFT) > 0 ? 1 : 0);
        elegida = ((elegida + paso) % n + n) % n;
        const float x = ratonX(), y = ratonY();
        const bool movido = x != mx || y != my;
        mx = x;
        my = y;
        const bool clic = MouseHit(1) > 0;
        for (int i = 0; i < n; ++i) {
            if (!opciones[static_cast<size_t>(i)].contiene(x, y)) continue;
            if (movido) elegida = i;
            if (clic) return i;
        }
        // Enter chooses, as in every menu; Space does not, as players on turn hit it in
        // some minigames and must not end the pause by it.
        if (KeyHit(KEY_ENTER) > 0) return elegida;
        dibujar(foto, cabecera, opciones, elegida);
        Flip(1);
    }
}

// The panel, with the game's picture of this flip on the back buffer. Returns when the
// players go on; throws TAbandono when they leave.
void panel() {
    const int32_t inicio = Millisecs();
    st.panel = true;
    const EstadoDibujo antes = EstadoDibujo::actual();
    estadoLimpio();
    TImagePtr foto = CreateImage(1024, 768, 1);
    GrabImage(foto, 0, 0, 0);
    FreezeSound(true);
    // The seats' controllers work the panel as a menu meanwhile.
    asientos::TPapelesPublicados menus(asientos::TPapeles{});

    struct Fin {
        const EstadoDibujo& antes;
        int32_t inicio;
        ~Fin() {
            FlushKeys();
            FlushMouse();
            FreezeSound(false);
            antes.restaurar();
            st.pausado = MillisecsAfter(st.pausado, MillisecsBetween(inicio, Millisecs()));
            st.panel = false;
        }
    } fin{antes, inicio};

    SetImageFont(fuente);
    const bool partida = st.tipo == Tipo::Partida;
    const TTexto titulo = texto("PAUSA", 512, kPanelY + 24, 1.2f);
    const std::vector<TTexto> opciones{texto("Seguir", 512, kPanelY + 130, 1),
                                       texto(partida ? "Salir de la partida" : "Salir", 512, kPanelY + 210, 1)};
    if (elegir(foto, titulo, opciones, 0) == 1) {
        if (!partida) throw TAbandono{};
        // One key must never throw away half an hour: leaving a match asks once more, and
        // anything but "Si" goes back to the game.
        const TTexto pregunta = texto("Se perdera la partida. Salir?", 512, kPanelY + 60, 0.75f);
        const std::vector<TTexto> siNo{texto("Si", 412, kPanelY + 180, 1), texto("No", 612, kPanelY + 180, 1)};
        if (elegir(foto, pregunta, siNo, 1) == 0) throw TAbandono{};
    }
    // The flip that opened the panel shows the game's own picture again.
    estadoLimpio();
    Cls();
    DrawImage(foto, 0, 0, 0);
}

void antesDeMostrar() {
    if (st.activa && !st.panel && input::TakePauseRequest()) panel();
}

}  // namespace

int32_t reloj() {
    return MillisecsAfter(Millisecs(), -st.pausado);
}

bool enPanel() { return st.panel; }

TPausable::TPausable(Tipo tipo) {
    st.activa = true;
    st.tipo = tipo;
    input::SetPauseKey(true);
    frame::SetBeforeShow(antesDeMostrar);
}

TPausable::~TPausable() {
    frame::SetBeforeShow({});
    input::SetPauseKey(false);
    st.activa = false;
}

void cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);
}

}  // namespace pausa
