// The online messages' bytes: every kind comes back as it went, anything malformed is
// refused with a reason (never read past its end), and the host's checks of a Hola give
// the texts players see.
#include "net/mensajes.h"
#include "platform/base/errors.h"
#include "platform/session/journal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using net::Mensaje;

std::optional<Mensaje> Leer(const std::vector<uint8_t>& b, std::string* porque = nullptr) {
    return net::Decodificar(b.data(), b.size(), porque);
}

net::Hola HolaBuena() {
    net::Hola h;
    h.version = journal::kGameVersion;
    h.formato = journal::kFormatVersion;
    h.asiento = 3;
    h.nombre = "Pep\xC3\xA9 \xE2\x82\xAC\xF0\x9F\x8E\xB2";  // two- to four-byte characters
    h.datos = {{"anim/pjs.vba", 0xFFFFFFFFFFFFFFFFull}, {"sfx/boing.wav", 1}, {"sfx/dado.wav", 2}};
    h.token = 0x8000000000000001ull;
    return h;
}

}  // namespace

TEST(Mensajes, CadaTipoVuelveComoFue) {
    net::Hola lleno = HolaBuena();
    lleno.espectador = true;
    lleno.asiento = -1;
    lleno.nombre = std::string(net::kMaxNombre, 'x');
    lleno.datos.clear();
    for (size_t i = 0; i < net::kMaxArchivos; ++i) {
        std::string ruta = "d/" + std::to_string(100000 + i);
        ruta.resize(net::kMaxRuta, 'r');
        lleno.datos.push_back({ruta, i * 0x9E3779B97F4A7C15ull});
    }
    net::Asientos asientos;
    asientos.nombres = {"Ana", "", "\xC3\x91u", ""};
    const std::vector<Mensaje> todos = {
        HolaBuena(),
        lleno,
        net::Bienvenida{-1, "Anfitrion", 0},
        net::Bienvenida{3, "", 0xFEDCBA9876543210ull},
        net::Rechazo{net::Rechazo::Datos, "sfx/boing.wav"},
        net::Rechazo{net::Rechazo::Otro, std::string(net::kMaxDetalle, 'z')},
        net::Rechazo{net::Rechazo::Cerrada, ""},
        net::Diario{std::string("frikipartida-journal 2\n\0\xFF", 25)},
        net::Diario{std::string(net::kMaxDiario, 'j')},
        net::Resumen{0xFFFFFFFFu, 0x0123456789ABCDEFull},
        net::Entrada{net::Entrada::Boton, net::kBotones - 1, 1, 0, 0, 123456},
        net::Entrada{net::Entrada::Eje, 1, -32768, 0, 0, 0},
        net::Entrada{net::Entrada::Eje, 0, 32767, 0, 0, 0xFFFFFFFFu},
        net::Entrada{net::Entrada::Puntero, 0, 0, 1023, 767, 7},
        net::Progreso{4000000000u},
        asientos,
        net::Fin{255, 99},
    };
    for (const Mensaje& m : todos) {
        const std::vector<uint8_t> b = net::Codificar(m);
        std::string porque;
        const std::optional<Mensaje> d = Leer(b, &porque);
        ASSERT_TRUE(d.has_value()) << "tipo " << m.index() << ": " << porque;
        EXPECT_EQ(*d, m) << "tipo " << m.index();
        EXPECT_LE(b.size(), net::kMaxPaquete);
        // Every shorter prefix is a message cut short, and is refused.
        for (size_t n = 0; n < b.size(); n += 1 + n / 16) {
            std::string corto;
            EXPECT_FALSE(net::Decodificar(b.data(), n, &corto).has_value()) << "tipo " << m.index() << " a " << n;
            EXPECT_FALSE(corto.empty());
        }
    }
}

TEST(Mensajes, LoMalFormadoSeRechazaDiciendoPorQue) {
    // The encoder checks what it writes, so bad Holas are made by splicing bytes into a
    // good one's.
    const std::vector<uint8_t> buena = net::Codificar(HolaBuena());
    // Offsets in a Hola: type 0, protocol 1-2, version length 3-4 and text, format, spectator,
    // seat, name length and text, data count, then each path and hash.
    const size_t version = 5 + std::string(journal::kGameVersion).size();
    const size_t espectador = version + 4, asiento = espectador + 1, nombre = asiento + 1;
    auto con = [&](size_t at, std::vector<uint8_t> nuevos, size_t quitar) {
        std::vector<uint8_t> b = buena;
        b.erase(b.begin() + at, b.begin() + at + quitar);
        b.insert(b.begin() + at, nuevos.begin(), nuevos.end());
        return b;
    };
    auto nombreDe = [&](const std::string& n) {
        std::vector<uint8_t> v{static_cast<uint8_t>(n.size()), static_cast<uint8_t>(n.size() >> 8)};
        v.insert(v.end(), n.begin(), n.end());
        return con(nombre, v, 2 + HolaBuena().nombre.size());
    };
    const size_t datos = nombre + 2 + HolaBuena().nombre.size();
    auto datosDe = [&](std::vector<uint8_t> v) { return con(datos, v, buena.size() - datos); };
    auto ruta = [](const std::string& r, std::vector<uint8_t> v = {}) {
        v.push_back(static_cast<uint8_t>(r.size()));
        v.push_back(0);
        v.insert(v.end(), r.begin(), r.end());
        for (int i = 0; i < 8; ++i) v.push_back(0);
        return v;
    };

    struct Caso {
        const char* que;
        std::vector<uint8_t> bytes;
        const char* razon;  // a piece of the reason given
    };
    const std::vector<Caso> casos = {
        {"vacio", {}, "vacio"},
        {"tipo 0", {0, 1, 2}, "tipo de mensaje desconocido 0"},
        {"tipo 200", {200}, "desconocido 200"},
        {"un byte de mas", [] { auto b = net::Codificar(net::Progreso{1}); b.push_back(0); return b; }(), "de mas"},
        {"otro programa", con(1, {0x00, 0x02}, 2), "no es un saludo"},
        {"espectador 2", con(espectador, {2}, 1), "espectador"},
        {"asiento 4", con(asiento, {4}, 1), "asiento fuera de rango"},
        {"nombre de 33 bytes", nombreDe(std::string(33, 'a')), "nombre demasiado largo"},
        {"nombre con BEL", nombreDe("a\x07"), "control"},
        {"nombre con DEL", nombreDe("a\x7F"), "control"},
        {"nombre con C1", nombreDe("a\xC2\x85"), "control"},
        {"UTF-8 demasiado largo", nombreDe("\xC0\xAF"), "UTF-8"},
        {"UTF-8 de un sustituto", nombreDe("\xED\xA0\x80"), "UTF-8"},
        {"UTF-8 cortado", nombreDe("ab\xE2\x82"), "UTF-8"},
        {"nombre mas largo que el mensaje", con(nombre, {0xFF, 0x00}, 2), "demasiado largo"},
        {"ruta ..", datosDe(ruta("../etc/passwd", {1, 0})), "'..'"},
        {"ruta absoluta", datosDe(ruta("/etc/passwd", {1, 0})), "absoluta"},
        {"ruta a//b", datosDe(ruta("a//b", {1, 0})), "parte ''"},
        {"ruta con \\", datosDe(ruta("a\\b", {1, 0})), "'\\'"},
        {"ruta vacia", datosDe(ruta("", {1, 0})), "vacia"},
        {"datos sin ordenar", datosDe(ruta("a", ruta("b", {2, 0}))), "sin ordenar"},
        {"datos repetidos", datosDe(ruta("a", ruta("a", {2, 0}))), "repetidos"},
        {"4097 archivos", datosDe({0x01, 0x10}), "demasiados archivos"},
        // 4096 entries announced in a few bytes: refused before any list is sized by it.
        {"4096 archivos en 2 bytes", datosDe({0x00, 0x10}), "cortado"},
        {"rechazo 11", {3, 11, 0, 0}, "motivo de rechazo desconocido 11"},
        {"diario vacio", {4, 0, 0, 0, 0}, "de 1 a"},
        {"diario de 32769", {4, 0x01, 0x80, 0, 0}, "32769"},
        {"diario de 4 GiB", {4, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}, "bytes (de 1"},
        {"boton 21", {6, 0, 0, 0, 0, 0, 21, 1}, "boton fuera de rango"},
        {"boton a 2", {6, 0, 0, 0, 0, 0, 3, 2}, "valor de boton"},
        {"eje 2", {6, 1, 0, 0, 0, 0, 2, 0, 0}, "eje fuera de rango"},
        {"puntero x 1024", {6, 2, 0, 0, 0, 0, 0x00, 0x04, 0, 0}, "fuera de la pantalla"},
        {"puntero y 768", {6, 2, 0, 0, 0, 0, 0, 0, 0x00, 0x03}, "fuera de la pantalla"},
        {"entrada 3", {6, 3, 0, 0, 0, 0}, "tipo de entrada desconocido 3"},
        {"asientos con control", {8, 1, 0, '\n', 0, 0, 0, 0, 0, 0}, "control"},
    };
    for (const Caso& c : casos) {
        std::string porque;
        EXPECT_FALSE(Leer(c.bytes, &porque).has_value()) << c.que;
        EXPECT_NE(porque.find(c.razon), std::string::npos) << c.que << ": \"" << porque << "\"";
    }

    // The encoder refuses to write what the decoder would refuse: a programming error.
    net::Hola mal = HolaBuena();
    mal.nombre = "a\nb";
    EXPECT_THROW(net::Codificar(mal), GameError);
    EXPECT_THROW(net::Codificar(net::Entrada{net::Entrada::Puntero, 0, 0, 1024, 0, 0}), GameError);
    EXPECT_THROW(net::Codificar(net::Diario{""}), GameError);
}

TEST(Mensajes, ElAnfitrionCompruebaElHolaYAmbosLadosLeenPorQue) {
    const std::vector<net::ArchivoDatos> mios = HolaBuena().datos;
    std::string aqui;
    EXPECT_FALSE(net::ComprobarHola(HolaBuena(), mios, &aqui).has_value());

    // A build of another protocol: its Hola reads as far as the version, whatever follows.
    net::Hola otro;
    otro.protocolo = net::kProtocolo + 1;
    otro.version = "9.9";
    std::vector<uint8_t> b = net::Codificar(otro);
    b.insert(b.end(), {1, 2, 3, 0xFF});
    const std::optional<Mensaje> leido = Leer(b);
    ASSERT_TRUE(leido.has_value());
    const std::optional<net::Rechazo> r = net::ComprobarHola(std::get<net::Hola>(*leido), mios, &aqui);
    ASSERT_TRUE(r.has_value());
    const std::string v = journal::kGameVersion;
    EXPECT_EQ(net::TextoRechazo(*r, net::Lado::Cliente), "Version distinta del anfitrion: " + v + " (aqui " + v + ")");
    EXPECT_EQ(aqui, "Version distinta del jugador: 9.9 (aqui " + v + ")");

    net::Hola formato = HolaBuena();
    formato.formato = 1;
    ASSERT_TRUE(net::ComprobarHola(formato, mios, &aqui).has_value());
    EXPECT_EQ(aqui, "Formato de diario distinto del jugador: 1 (aqui " + std::to_string(journal::kFormatVersion) + ")");

    // Data: a file changed, and a file only one side has, name the first such path.
    net::Hola datos = HolaBuena();
    datos.datos[1].huella ^= 1;
    std::optional<net::Rechazo> d = net::ComprobarHola(datos, mios, &aqui);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(net::TextoRechazo(*d, net::Lado::Cliente), "Datos distintos del anfitrion: sfx/boing.wav");
    EXPECT_EQ(aqui, "Datos distintos del jugador: sfx/boing.wav");
    datos = HolaBuena();
    datos.datos.pop_back();
    d = net::ComprobarHola(datos, mios, &aqui);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->detalle, "sfx/dado.wav");

    EXPECT_EQ(net::TextoRechazo({net::Rechazo::Lleno, ""}, net::Lado::Cliente), "La partida esta llena");
    EXPECT_EQ(net::TextoRechazo({net::Rechazo::AsientoOcupado, "Pexil"}, net::Lado::Cliente),
              "El asiento de Pexil ya esta ocupado");
    // What travels is decoded before it is shown: every text is plain printable.
    EXPECT_EQ(net::TextoRechazo({net::Rechazo::NombreJugando, ""}, net::Lado::Cliente), "Ese nombre ya esta jugando");
    EXPECT_EQ(net::TextoRechazo({net::Rechazo::Cerrada, ""}, net::Lado::Cliente), "El anfitrion ha dejado de hospedar");
    for (int m = net::Rechazo::Version; m <= net::Rechazo::SinAsiento; ++m)
        for (net::Lado lado : {net::Lado::Cliente, net::Lado::Anfitrion}) {
            const std::string t = net::TextoRechazo({static_cast<net::Rechazo::Motivo>(m), "x"}, lado);
            EXPECT_FALSE(t.empty());
            for (unsigned char c : t) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << t;
        }
}
