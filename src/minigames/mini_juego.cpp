#include "minigames/mini_juego.h"

#include "board/equipo.h"
#include "engine/gl.h"
#include "engine/sprite.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>

int TMiniJuego::iniciarJuego(const TEquipo& e) {
    equipo = &e;
    const int t = e.getTurno();
    if (prepararPrimero()) {
        prepararJuego(t);
        explicar(t);
    } else {
        explicar(t);
        prepararJuego(t);
    }
    entrada();
    while (jugarFrame()) {
    }
    return terminar();
}

int TMiniJuego::jugar(const TEquipo& e) {
    asientos::TPapelesPublicados publicados(asientos(e.getTurno()));
    return iniciarJuego(e);
}

asientos::TPapeles TMiniJuego::asientos(int turno) const {
    asientos::TPapeles m = asientos::soloRaton(turno);
    const std::array<int, 3> otros = oponentes(turno);
    for (size_t k = 0; k < 3; ++k) m[static_cast<size_t>(otros[k])].teclas = {teclasUnaTecla[k]};
    return m;
}

asientos::TPapeles TMiniJuego::asientosDosTeclas(int turno) {
    asientos::TPapeles m = asientos::soloRaton(turno);
    const std::array<int, 3> otros = oponentes(turno);
    for (size_t k = 0; k < 3; ++k)
        m[static_cast<size_t>(otros[k])].teclas = {teclasDosTeclas[k][0], teclasDosTeclas[k][1]};
    return m;
}

void TMiniJuego::ponerAnimacion(AnimState& s, int a, float now) {
    s.ChangeAnim(a, now * 1000, 1, 0, 0);
}

void TMiniJuego::dibujarHuesos(const AnimState& s, const VGP& g, float x, float y) {
    for (const RepBone& r : s.BoneList) {
        const TGraph* graph = g.GetGraph(r.Graph);
        if (!graph) continue;
        SetTransform(r.Angle, r.Size, r.Size);
        DrawImage(graph->I, x + r.X, y + r.Y);
    }
}

void TMiniJuego::dibujarPersonaje(const AnimState& s, const VGP& g, float x, float y) {
    GL::push();
    dibujarHuesos(s, g, x, y);
    GL::pop();
}

void TMiniJuego::avanzarYDibujar(AnimState& s, const VGP& g, float x, float y, float now) {
    s.Update(now * 1000);
    s.PrepareBoneList(now * 1000, 1, 1, 0);
    dibujarPersonaje(s, g, x, y);
}

int TMiniJuego::colisionPoseImagen(const AnimState& s, const VGP& g, float x, float y, const TImagePtr& image,
                                   float ix, float iy, float rotation, float sx, float sy) {
    return ::colisionPoseImagen(s, g, static_cast<int>(x), static_cast<int>(y), image, static_cast<int>(ix),
                                static_cast<int>(iy), rotation, sx, sy);
}

int TMiniJuego::colisionPoses(const AnimState& a, const VGP& ga, float xa, float ya, const AnimState& b,
                              const VGP& gb, float xb, float yb) {
    return ::colisionPoses(a, ga, static_cast<int>(xa), static_cast<int>(ya), b, gb, static_cast<int>(xb),
                           static_cast<int>(yb));
}

namespace {
// Farthest corner of a picture from its handle.
float radioImagen(const TImagePtr& img) {
    if (!img) return 0;
    const float w = static_cast<float>(img->width), h = static_cast<float>(img->height);
    const float dx = std::max(std::abs(img->handleX), std::abs(w - img->handleX));
    const float dy = std::max(std::abs(img->handleY), std::abs(h - img->handleY));
    return std::hypot(dx, dy);
}
}  // namespace

float TMiniJuego::alcanceFigura(const VBA& anim, const VGP& g) {
    if (!anim.Father || anim.NBones <= 0) return 0;
    // Per bone: the longest offset from its father's joint and the largest picture it
    // shows, over every key frame of every animation. Interpolation between two key
    // frames never leaves the longer of the two offsets, and turning keeps lengths.
    const size_t n = static_cast<size_t>(anim.NBones);
    std::vector<float> desplazamiento(n, 0), dibujo(n, 0);
    for (int a = 0; a < anim.NAnims && a < static_cast<int>(anim.Anim.size()); ++a) {
        const VBAAnimPtr& an = anim.Anim[static_cast<size_t>(a)];
        if (!an) continue;
        for (const VBAFrame* f = an->Frames.get(); f; f = f->NextFrame.get()) {
            for (size_t id = 0; id < n && id < f->Bones.size(); ++id) {
                const VBABoneState& b = f->Bones[id];
                desplazamiento[id] = std::max(desplazamiento[id], std::hypot(b.X, b.Y));
                const TGraph* graph = g.GetGraph(b.Graph);
                if (graph) dibujo[id] = std::max(dibujo[id], std::abs(b.Size) * radioImagen(graph->I));
            }
        }
    }
    // Down the tree: a joint lies at most the sum of its ancestors' offsets away.
    float alcance = 0;
    std::vector<std::pair<const VBABone*, float>> pila{{anim.Father.get(), 0.0f}};
    while (!pila.empty()) {
        auto [hueso, base] = pila.back();
        pila.pop_back();
        if (!hueso || hueso->ID < 0 || static_cast<size_t>(hueso->ID) >= n) continue;
        const float junta = base + desplazamiento[static_cast<size_t>(hueso->ID)];
        alcance = std::max(alcance, junta + dibujo[static_cast<size_t>(hueso->ID)]);
        for (const auto& hijo : hueso->Sons) pila.emplace_back(hijo.get(), junta);
    }
    return alcance;
}

int TMiniJuego::ratonX() {
    const int w = GraphicsWidth();
    if (w <= 0) return 0;
    return static_cast<int>(static_cast<float>(MouseX()) / static_cast<float>(w) * 1024.0f);
}

int TMiniJuego::ratonY() {
    const int h = GraphicsHeight();
    if (h <= 0) return 0;
    return static_cast<int>(static_cast<float>(MouseY()) / static_cast<float>(h) * 768.0f);
}
