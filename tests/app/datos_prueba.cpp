#include "datos_prueba.h"

#include "support/rig_fixture.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace datos {
namespace fs = std::filesystem;

void Imagen(const std::string& ruta, int w, int h) {
    TPixmapPtr p = CreatePixmap(w, h);
    p->ClearPixels(0xFF808080u);
    ASSERT_TRUE(SavePixmapPNG(*p, ruta)) << ruta;
}

void Sonido(const std::string& ruta) {
    const uint32_t frames = 4410;
    std::vector<int16_t> muestras(frames * 2);
    for (uint32_t i = 0; i < frames; ++i) muestras[i * 2] = muestras[i * 2 + 1] = (i % 100 < 50) ? 500 : -500;
    const uint32_t datos = frames * 4;
    std::ofstream f(ruta, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4);
    u32(36 + datos);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    f.write("data", 4);
    u32(datos);
    f.write(reinterpret_cast<const char*>(muestras.data()), datos);
}

void Preparar(const std::string& nombre) {
    const std::string dir = testrig::ScratchDir(nombre);
    testrig::UseDataDir();  // remembers the directory to return to
    fs::create_directories(dir + "/artwork");
    fs::create_directories(dir + "/music");
    fs::create_directories(dir + "/sfx");
    const fs::path fuente = fs::path(FK_DATA_DIR) / "artwork/comic.ttf";
    if (fs::exists(fuente)) fs::copy_file(fuente, dir + "/artwork/comic.ttf");
    // Start-up cannot go on without the animation set and the character packs.
    const fs::path anim = fs::path(FK_DATA_DIR) / "anim";
    if (fs::exists(anim)) fs::create_directory_symlink(anim, dir + "/anim");
    fs::current_path(dir);

    Imagen("artwork/7341logos.jpg", 400, 200);
    for (const char* n :
         {"trep-logo.jpg", "fustel-logo.jpg", "mirelo-logo.jpg", "sondo-logo.jpg", "intro-1.png",
          "intro-2.png", "intro-3.png", "intro-personajes.png", "char-tarsun.png", "char-ervarsen.png",
          "char-quelbido.png", "char-pexil.png", "titulo.png", "opciones.png", "creditos.png"})
        Imagen(std::string("artwork/") + n, 16, 16);
    for (const char* n : {"music/title.ogg", "music/menu.ogg", "music/tablero.ogg", "sfx/boum.wav"})
        Sonido(n);
}

}  // namespace datos
