#pragma once
// Figures for minigame tests and benchmarks, made in code so that nothing depends on the
// data build: an animation set with every animation number the minigames use, packs of
// solid pictures, and a sound manager whose effects are silent sounds named after their
// keys (so the trace shows which effect played).
#include "engine/gestor_sonido.h"
#include "minigames/mini_juego.h"
#include "platform/pictures/image.h"
#include "platform/pixels/pixmap.h"
#include "platform/sound/sound.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <memory>
#include <string>
#include <vector>

namespace figuras {

// A solid picture of colour argb, handle at (hx, hy).
inline TImagePtr solido(int w, int h, uint32_t argb, float hx, float hy) {
    TImagePtr img = CreateImage(w, h, 1, 0);
    LockImage(img, 0, true, true)->ClearPixels(argb);
    SetImageHandle(img, hx, hy);
    return img;
}

// A set of 16 animations (numbers 0 to 15) over `huesos` bones: bone 0 is the root at the
// figure's position, the others hang from it in chains of three. Each animation has
// `fotogramas` key frames of 200 ms; with more than one the limbs swing a little. Every
// bone shows graph 1 + (bone mod graficos).
inline VBAPtr conjunto(int huesos = 1, int fotogramas = 1, int graficos = 1) {
    InitTrigTables();
    auto v = std::make_shared<VBA>();
    v->NBones = huesos;
    v->Father = std::make_unique<VBABone>();
    v->Father->ID = 0;
    std::vector<VBABone*> porId{v->Father.get()};
    for (int id = 1; id < huesos; ++id) {
        VBABone* padre = (id - 1) % 3 == 0 ? v->Father.get() : porId[static_cast<size_t>(id - 1)];
        auto b = std::make_unique<VBABone>();
        b->ID = id;
        porId.push_back(b.get());
        padre->Sons.push_back(std::move(b));
        padre->NSons = static_cast<int>(padre->Sons.size());
    }
    for (int a = 0; a < 16; ++a) {
        auto an = std::make_shared<VBAAnim>();
        std::unique_ptr<VBAFrame>* hueco = &an->Frames;
        for (int f = 0; f < fotogramas; ++f) {
            auto fr = std::make_unique<VBAFrame>();
            fr->Duration = 200;
            for (int id = 0; id < huesos; ++id) {
                VBABoneState s;
                if (id > 0) {
                    s.X = 0;
                    s.Y = -12;
                    s.Angle = static_cast<float>(((id - 1) / 3) * 60 + 10 * f);
                }
                s.Z = huesos - id;
                s.Graph = 1 + id % graficos;
                fr->Bones.push_back(s);
            }
            *hueco = std::move(fr);
            hueco = &(*hueco)->NextFrame;
            ++an->NFrames;
        }
        an->Duration = an->CountTime();
        v->Anim.push_back(an);
    }
    v->NAnims = 16;
    return v;
}

// A pack whose graphs 1 .. graficos are solid w x h pictures with their pivot at the
// bottom centre, so that a one-bone figure stands on its position.
inline VGPPtr paquete(int w, int h, uint32_t argb, int graficos = 1) {
    auto p = std::make_shared<VGP>();
    p->Graph = {GetEmptyGraph()};
    for (int i = 0; i < graficos; ++i) {
        auto g = TGraph::Create();
        g->W = w;
        g->H = h;
        g->CPs = 1;
        g->CP = {TPoint{w / 2, h}};
        g->I = solido(w, h, argb, static_cast<float>(w / 2), static_cast<float>(h));
        p->Graph.push_back(g);
    }
    p->Size = static_cast<int>(p->Graph.size());
    return p;
}

// Five packs (four characters and the girl) of 40 x 100 blocks in different colours.
inline TPaquetes paquetes(int w = 40, int h = 100, int graficos = 1) {
    const uint32_t colores[5] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFFFF00FF};
    TPaquetes out;
    for (size_t i = 0; i < out.size(); ++i) out[i] = paquete(w, h, colores[i], graficos);
    return out;
}

// A sound manager holding a short silent sound under each name, its source being the name.
inline void sonidosMudos(const std::vector<std::string>& nombres) {
    auto g = std::make_shared<TGestorSonido>();
    for (const std::string& n : nombres) {
        auto s = std::make_shared<TSound>();
        s->source = n;
        s->samples.assign(2 * 441, 0);
        g->insertar(n, s);
    }
    setGestorSonido(g);
}

}  // namespace figuras
