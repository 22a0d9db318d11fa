#pragma once
// The timed minigames under the rig: a fresh play of Juego with figures made in code, the
// effects they play silent and named after their files, and what a player saw and heard.
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <memory>
#include <string>

template <class Juego>
class CronometradoTest : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        figuras::sonidosMudos({"sfx/pillada.wav", "sfx/yeha.wav", "sfx/boum.wav", "sfx/stomp.wav",
                               "sfx/hey.wav", "sfx/wosh.wav", "sfx/oops.wav"});
        Juego::cargarRecursos();
        m = Juego::Create(figuras::conjunto(), figuras::paquetes());
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        m.reset();
        HeadlessTest::TearDown();
    }
    // Times the effect was played.
    static int sonado(const std::string& src) {
        int n = 0;
        for (const std::string& l : testrig::TraceOps("sound")) n += testrig::Field(l, "src") == src;
        return n;
    }
    // Whether the text was drawn.
    static bool escrito(const std::string& texto) {
        for (const std::string& l : testrig::TraceOps("text"))
            if (testrig::Field(l, "text") == texto) return true;
        return false;
    }
    // Plays to the end (at most 5000 frames); the frames played.
    int hastaElFinal() {
        int n = 0;
        while (m->jugarFrame() && n < 5000) ++n;
        return n;
    }
    std::unique_ptr<Juego> m;
};
