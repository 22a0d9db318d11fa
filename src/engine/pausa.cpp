// The pause: the game's clock, the panel over the frozen picture and its confirmation, and the
// panel's page, which a follower's own panel shows too.
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

float ratonX() { return aVirtualX(MouseX()); }
float ratonY() { return aVirtualY(MouseY()); }

TPanel::TTexto texto(const std::string& t, float cx, float y, float escala) {
    // Measured in the panel's font, whatever the game has chosen.
    const TImageFontPtr antes = GetImageFont();
    SetImageFont(fuente);
    TPanel::TTexto l{t, cx, y, escala, TextWidth(t), TextHeight(t)};
    SetImageFont(antes);
    if (l.ancho() > kAnchoTexto) l.escala = escala * kAnchoTexto / l.ancho();
    return l;
}

// Shows the panel over the frozen picture until a choice is made: its index, or -1 for
// Escape (or Start) again. Up and Down (Left and Right too) move, Enter chooses, the mouse
// points and clicks.
int elegir(const TImagePtr& foto, TPanel& pagina) {
    FlushKeys();
    FlushMouse();
    float mx = ratonX(), my = ratonY();
    while (true) {
        if (input::TakePauseRequest()) return -1;
        pagina.mover((KeyHit(KEY_DOWN) > 0 ? 1 : 0) + (KeyHit(KEY_RIGHT) > 0 ? 1 : 0) - (KeyHit(KEY_UP) > 0 ? 1 : 0) -
                     (KeyHit(KEY_LEFT) > 0 ? 1 : 0));
        const float x = ratonX(), y = ratonY();
        const bool movido = x != mx || y != my;
        mx = x;
        my = y;
        if (const int i = pagina.raton(x, y, movido, MouseHit(1) > 0); i >= 0) return i;
        // Enter chooses, as in every menu; Space does not, as players on turn hit it in
        // some minigames and must not end the pause by it.
        if (KeyHit(KEY_ENTER) > 0) return pagina.elegida();
        estadoLimpio();
        Cls();
        DrawImage(foto, 0, 0, 0);
        pagina.dibujar();
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
    TPanel pagina = TPanel::menu("PAUSA", {"Seguir", partida ? "Salir de la partida" : "Salir"});
    if (elegir(foto, pagina) == 1) {
        if (!partida) throw TAbandono{};
        // One key must never throw away half an hour: leaving a match asks once more, and
        // anything but "Si" goes back to the game.
        TPanel pregunta = TPanel::pregunta("Se perdera la partida. Salir?");
        if (elegir(foto, pregunta) == 0) throw TAbandono{};
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

bool TPanel::TTexto::contiene(float x, float yy) const {
    const float w2 = std::max(ancho(), 80.0f) / 2;
    return x >= cx - w2 - 10 && x <= cx + w2 + 10 && yy >= y - 4 && yy <= y + alto() + 4;
}

void TPanel::TTexto::dibujar() const {
    SetScale(escala, escala);
    DrawText(texto, cx - ancho() / 2, y);
    SetScale(1, 1);
}

TPanel TPanel::menu(const std::string& titulo, const std::vector<std::string>& opciones) {
    TPanel p;
    p.cabecera = texto(titulo, 512, kPanelY + 24, 1.2f);
    // Spaced as the pause's two lines were: the first at 130, the next ones 80 below.
    for (size_t i = 0; i < opciones.size(); ++i)
        p.opciones.push_back(texto(opciones[i], 512, kPanelY + 130 + 80 * static_cast<float>(i), 1));
    return p;
}

TPanel TPanel::pregunta(const std::string& linea) {
    TPanel p;
    p.cabecera = texto(linea, 512, kPanelY + 60, 0.75f);
    p.opciones = {texto("Si", 412, kPanelY + 180, 1), texto("No", 612, kPanelY + 180, 1)};
    p.sel = 1;
    return p;
}

void TPanel::mover(int paso) {
    const int n = static_cast<int>(opciones.size());
    if (n > 0) sel = ((sel + paso) % n + n) % n;
}

int TPanel::raton(float x, float y, bool movido, bool clic) {
    for (size_t i = 0; i < opciones.size(); ++i) {
        if (!opciones[i].contiene(x, y)) continue;
        if (movido) sel = static_cast<int>(i);
        if (clic) return static_cast<int>(i);
    }
    return -1;
}

void TPanel::dibujar() const {
    const EstadoDibujo antes = EstadoDibujo::actual();
    estadoLimpio();
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
        if (static_cast<int>(i) == sel)
            SetColor(64, 127, 255);
        else
            SetColor(0, 0, 0);
        opciones[i].dibujar();
    }
    antes.restaurar();
}

float aVirtualX(int x) {
    const int w = GraphicsWidth();
    return w > 0 ? static_cast<float>(x) * 1024.0f / static_cast<float>(w) : 0;
}
float aVirtualY(int y) {
    const int h = GraphicsHeight();
    return h > 0 ? static_cast<float>(y) * 768.0f / static_cast<float>(h) : 0;
}

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
