#include "engine/gestor_sonido.h"
#include "platform/platform.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

// A short mono 16-bit PCM WAV of silence.
void escribirWav(const std::string& ruta) {
    std::ofstream f(ruta, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t muestras = 2205;
    f.write("RIFF", 4);
    u32(36 + muestras * 2);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(22050);
    u32(44100);
    u16(2);
    u16(16);
    f.write("data", 4);
    u32(muestras * 2);
    for (uint32_t i = 0; i < muestras; ++i) u16(0);
}

class GestorSonido : public ::testing::Test {
   protected:
    void SetUp() override {
        testrig::StartHeadless();
        previo = std::filesystem::current_path();
        std::filesystem::current_path(testrig::ScratchDir("gestor_sonido"));
    }
    void TearDown() override {
        std::filesystem::current_path(previo);
        setGestorSonido(nullptr);
        testrig::Stop();
    }
    std::filesystem::path previo;
};

TEST_F(GestorSonido, FolderKeysKeepTheListedCase) {
    std::filesystem::create_directories("sfx/sub.wav");  // a folder is no sound
    escribirWav("sfx/boum.wav");
    escribirWav("sfx/STOMP.WAV");
    escribirWav("sfx/Mixto.Wav");
    std::ofstream("sfx/notes.txt") << "no";
    std::ofstream("sfx/wav") << "no dot";
    std::ofstream("sfx/roto.wav") << "not a wave";

    TGestorSonidoPtr g = TGestorSonido::Create();
    std::set<std::string> claves;
    for (const auto& [k, v] : g->_audioTable) claves.insert(k);
    EXPECT_TRUE(claves.count("sfx/boum.wav"));
    EXPECT_TRUE(claves.count("sfx/STOMP.WAV"));
    EXPECT_TRUE(claves.count("sfx/Mixto.Wav"));
    EXPECT_FALSE(claves.count("sfx/notes.txt"));
    EXPECT_FALSE(claves.count("sfx/wav"));
    ASSERT_TRUE(claves.count("sfx/roto.wav")) << "a file that fails to load is kept as no sound";
    EXPECT_EQ(g->_audioTable["sfx/roto.wav"], nullptr);
    EXPECT_NE(g->_audioTable["sfx/boum.wav"], nullptr);

    EXPECT_NE(g->reproducir("sfx/STOMP.WAV"), nullptr);
    EXPECT_EQ(g->reproducir("sfx/stomp.wav"), nullptr) << "lookups are exact";
    EXPECT_EQ(g->reproducir("sfx/roto.wav"), nullptr);
    EXPECT_EQ(g->reproducir("sfx/nada.wav"), nullptr);
}

TEST_F(GestorSonido, MissingFolderGivesAnEmptyTable) {
    EXPECT_TRUE(TGestorSonido::Create()->_audioTable.empty());
}

TEST_F(GestorSonido, VolumesReachNewChannelsOnly) {
    std::filesystem::create_directories("sfx");
    escribirWav("sfx/boum.wav");
    TGestorSonidoPtr g = TGestorSonido::Create();
    EXPECT_FLOAT_EQ(g->getMusicVolume(), 0.9f);
    EXPECT_FLOAT_EQ(g->getSoundVolume(), 0.7f);

    TChannelPtr antes = g->reproducir("sfx/boum.wav");
    ASSERT_TRUE(antes);
    EXPECT_FLOAT_EQ(antes->Volume(), 0.7f);
    g->setSoundVolume(40);
    TChannelPtr despues = g->reproducir("sfx/boum.wav");
    ASSERT_TRUE(despues);
    EXPECT_FLOAT_EQ(despues->Volume(), 0.4f);
    EXPECT_FLOAT_EQ(antes->Volume(), 0.7f);

    g->setMusicVolume(150);  // not clamped
    EXPECT_EQ(g->_musicVolume, 150);
    EXPECT_FLOAT_EQ(g->getMusicVolume(), 1.5f);
}

TEST_F(GestorSonido, TheOneManagerIsInstalledAtStartUp) {
    gestorSonido().setMusicVolume(10);  // the stand-in before start-up
    EXPECT_EQ(gestorSonido().reproducir("sfx/boum.wav"), nullptr);

    std::filesystem::create_directories("sfx");
    escribirWav("sfx/boum.wav");
    TGestorSonido::CreateGlobal();
    EXPECT_FLOAT_EQ(gestorSonido().getMusicVolume(), 0.9f);
    EXPECT_NE(gestorSonido().reproducir("sfx/boum.wav"), nullptr);
    gestorSonido().setSoundVolume(20);
    EXPECT_EQ(gestorSonido()._soundVolume, 20) << "the same instance every time";
}

}  // namespace
