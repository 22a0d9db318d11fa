// The data fingerprint: which files count, in which order, and that any change to one
// file's bytes names that file.
#include "net/datos.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void Escribir(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

}  // namespace

TEST(Datos, CuentanLosArchivosDelJuegoEnOrdenYCadaCambioLosNombra) {
    const fs::path raiz = fs::path(FK_TEST_WORK) / "net_datos";
    fs::remove_all(raiz);
    // A file bigger than one read of the walk, so that its hash is taken in pieces.
    std::string grande(600 * 1024 + 13, '\0');
    for (size_t i = 0; i < grande.size(); ++i) grande[i] = static_cast<char>(i * 7 + i / 251);
    Escribir(raiz / "sfx/boing.wav", "boing");
    Escribir(raiz / "artwork/b.png", grande);
    Escribir(raiz / "artwork/a b.png", "");
    Escribir(raiz / "anim/x/y/z.vgp", "z");
    Escribir(raiz / "resolucion.cfg", "800 600");  // the player's settings
    Escribir(raiz / "gamecontrollerdb.txt", "mandos");
    Escribir(raiz / ".assetgen-stamp", "1");  // the build's bookkeeping
    Escribir(raiz / ".oculta/q.png", "q");
    fs::create_directory_symlink(raiz / "sfx", raiz / "enlace");  // a folder link is not walked

    const std::vector<net::ArchivoDatos> a = net::HuellaDatos(raiz.string());
    std::vector<std::string> rutas;
    for (const net::ArchivoDatos& f : a) rutas.push_back(f.ruta);
    EXPECT_EQ(rutas, (std::vector<std::string>{"anim/x/y/z.vgp", "artwork/a b.png", "artwork/b.png", "sfx/boing.wav"}));
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(a[2].huella, net::Huella(grande.data(), grande.size()));
    EXPECT_NE(a[1].huella, a[3].huella);
    EXPECT_FALSE(net::PrimeraDiferencia(a, net::HuellaDatos(raiz.string())).has_value());

    // One byte changed anywhere (near the end, in the last partial block) names the file.
    grande[grande.size() - 3] ^= 0x10;
    Escribir(raiz / "artwork/b.png", grande);
    Escribir(raiz / "resolucion.cfg", "1024 768");
    const std::vector<net::ArchivoDatos> b = net::HuellaDatos(raiz.string());
    EXPECT_EQ(net::PrimeraDiferencia(a, b), "artwork/b.png");
    EXPECT_EQ(net::PrimeraDiferencia(b, a), "artwork/b.png");

    // A file one side lacks, on either side and at either end of the list.
    std::vector<net::ArchivoDatos> c = a;
    c.erase(c.begin());
    EXPECT_EQ(net::PrimeraDiferencia(a, c), "anim/x/y/z.vgp");
    EXPECT_EQ(net::PrimeraDiferencia(c, a), "anim/x/y/z.vgp");
    c = a;
    c.push_back({"tarsun/manguera.png", 1});
    EXPECT_EQ(net::PrimeraDiferencia(a, c), "tarsun/manguera.png");

    // Bytes that only move between files, or a file that only changes length, differ too.
    EXPECT_NE(net::Huella("ab", 2), net::Huella("ba", 2));
    EXPECT_NE(net::Huella("\0", 1), net::Huella("\0\0", 2));
    EXPECT_TRUE(net::HuellaDatos((raiz / "no-existe").string()).empty());
    fs::remove_all(raiz);
}
