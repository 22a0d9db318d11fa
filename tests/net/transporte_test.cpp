// The transport on the loopback: a host and clients in one process exchange packets on
// every channel, in order; a full host says so; departures are seen; addresses are read.
// Everything here sends only to 127.0.0.1 and waits a bounded time.
#include "net/mensajes.h"
#include "net/transporte.h"
#include "platform/base/errors.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using net::Suceso;

// The next event of t, within ms, or a failed test.
Suceso Siguiente(net::Transporte& t, int ms = 3000) {
    Suceso s;
    EXPECT_TRUE(t.Esperar(s, ms)) << "nada en " << ms << " ms";
    return s;
}

std::vector<uint8_t> Paquete(int canal, int n, size_t largo) {
    std::vector<uint8_t> b(largo);
    for (size_t i = 0; i < largo; ++i) b[i] = static_cast<uint8_t>(canal * 31 + n * 7 + i);
    b[0] = static_cast<uint8_t>(canal);
    b[1] = static_cast<uint8_t>(n);
    return b;
}

}  // namespace

TEST(Transporte, AnfitrionYClienteSeHablanPorCadaCanalEnOrden) {
    auto anfitrion = net::Transporte::Escuchar(0, 2);
    ASSERT_NE(anfitrion->Puerto(), 0);
    auto cliente = net::Transporte::Conectar("127.0.0.1", anfitrion->Puerto(), 3000);
    Suceso s = Siguiente(*cliente);
    EXPECT_EQ(s.tipo, Suceso::Conectado);
    EXPECT_EQ(s.par, net::kParAnfitrion);
    s = Siguiente(*anfitrion);
    ASSERT_EQ(s.tipo, Suceso::Conectado);
    const int par = s.par;
    anfitrion->Aceptar(par);
    EXPECT_EQ(anfitrion->Direccion(par).rfind("127.0.0.1:", 0), 0u) << anfitrion->Direccion(par);

    // Each side sends on every channel, interleaved, with one packet far past the MTU.
    constexpr int kPorCanal = 40;
    size_t enviado = 0;
    for (int n = 0; n < kPorCanal; ++n)
        for (int canal = 0; canal < net::kCanales; ++canal) {
            const size_t largo = n == 17 ? 200 * 1024 : 2 + n * 13;
            anfitrion->Enviar(par, static_cast<net::Canal>(canal), Paquete(canal, n, largo));
            cliente->Enviar(net::kParAnfitrion, static_cast<net::Canal>(canal), Paquete(canal, n, largo));
            enviado += largo;
        }
    anfitrion->Enviar(par + 100, net::kCanalControl, {1, 2, 3});  // nobody: dropped
    for (net::Transporte* t : {cliente.get(), anfitrion.get()}) {
        int siguiente[net::kCanales] = {0, 0, 0};
        for (int i = 0; i < kPorCanal * net::kCanales; ++i) {
            s = Siguiente(*t);
            ASSERT_EQ(s.tipo, Suceso::Datos);
            ASSERT_GE(s.canal, 0);
            ASSERT_LT(s.canal, net::kCanales);
            const int n = siguiente[s.canal]++;
            EXPECT_EQ(s.bytes, Paquete(s.canal, n, n == 17 ? 200 * 1024 : 2 + n * 13)) << s.canal << " " << n;
        }
    }
    Suceso nada;
    EXPECT_FALSE(anfitrion->Tomar(nada));
    EXPECT_EQ(anfitrion->BytesEnviados(par), enviado);
    EXPECT_GE(anfitrion->IdaYVueltaMs(par), 0);
    EXPECT_EQ(anfitrion->IdaYVueltaMs(par + 100), -1);

    // A second client fits; a third finds the game full and is told so before being closed.
    auto segundo = net::Transporte::Conectar("localhost", anfitrion->Puerto(), 3000);
    s = Siguiente(*anfitrion);
    EXPECT_EQ(s.tipo, Suceso::Conectado);
    anfitrion->Aceptar(s.par);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the order reaches the network thread
    auto tercero = net::Transporte::Conectar("127.0.0.1", anfitrion->Puerto(), 3000);
    EXPECT_EQ(Siguiente(*tercero).tipo, Suceso::Conectado);
    s = Siguiente(*tercero);
    ASSERT_EQ(s.tipo, Suceso::Datos);
    EXPECT_EQ(s.canal, net::kCanalControl);
    const std::optional<net::Mensaje> m = net::Decodificar(s.bytes.data(), s.bytes.size());
    ASSERT_TRUE(m && std::holds_alternative<net::Rechazo>(*m));
    EXPECT_EQ(net::TextoRechazo(std::get<net::Rechazo>(*m), net::Lado::Cliente), "La partida esta llena");
    s = Siguiente(*tercero);
    EXPECT_EQ(s.tipo, Suceso::Desconectado);
    EXPECT_FALSE(s.perdido);

    // The host closes the second one after a last packet, which still arrives; the first
    // leaves by itself. Both departures are polite, not losses.
    anfitrion->Enviar(par + 1, net::kCanalControl, {9});
    anfitrion->Cerrar(par + 1);
    s = Siguiente(*segundo);
    EXPECT_EQ(s.tipo, Suceso::Conectado);
    s = Siguiente(*segundo);
    EXPECT_EQ(s.bytes, std::vector<uint8_t>{9});
    s = Siguiente(*segundo);
    EXPECT_EQ(s.tipo, Suceso::Desconectado);
    EXPECT_FALSE(s.perdido);
    cliente.reset();
    for (int i = 0; i < 2; ++i) {
        s = Siguiente(*anfitrion);
        EXPECT_EQ(s.tipo, Suceso::Desconectado);
        EXPECT_FALSE(s.perdido) << s.porque;
    }
}

TEST(Transporte, LoQueNoSePuedeAbrirNiAlcanzarLoDiceClaro) {
    auto anfitrion = net::Transporte::Escuchar(0, 1);
    const uint16_t puerto = anfitrion->Puerto();
    try {
        net::Transporte::Escuchar(puerto, 1);
        ADD_FAILURE() << "two hosts on one port";
    } catch (const GameError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("No se puede abrir el puerto " + std::to_string(puerto), 0), 0u)
            << e.what();
    }
    anfitrion.reset();  // nobody listens there now
    auto nadie = net::Transporte::Conectar("127.0.0.1", puerto, 300);
    const Suceso s = Siguiente(*nadie);
    EXPECT_EQ(s.tipo, Suceso::Desconectado);
    EXPECT_TRUE(s.perdido);
}

// Slots belong to players: connections that never say hello are held at most
// kMaxSinSaludoPorDireccion at a time from one address and dropped after kSaludoMs; a
// player let in keeps its slot and its traffic meanwhile.
TEST(Transporte, QuienNoSaludaNoGuardaSitio) {
    auto anfitrion = net::Transporte::Escuchar(0, 2);
    auto jugador = net::Transporte::Conectar("127.0.0.1", anfitrion->Puerto(), 3000);
    Suceso s = Siguiente(*anfitrion);
    ASSERT_EQ(s.tipo, Suceso::Conectado);
    const int par = s.par;
    anfitrion->Aceptar(par);
    EXPECT_EQ(Siguiente(*jugador).tipo, Suceso::Conectado);

    std::vector<std::unique_ptr<net::Transporte>> mudos;
    for (int i = 0; i < 10; ++i) mudos.push_back(net::Transporte::Conectar("127.0.0.1", anfitrion->Puerto(), 6000));
    const auto inicio = std::chrono::steady_clock::now();
    int conectados = 0, cortados = 0;
    double ultimoCorte = 0;
    while (std::chrono::steady_clock::now() - inicio < std::chrono::milliseconds(net::kSaludoMs + 1500)) {
        if (!anfitrion->Esperar(s, 50)) continue;
        ASSERT_NE(s.par, par) << "the player lost its slot";
        if (s.tipo == Suceso::Conectado) ++conectados;
        if (s.tipo == Suceso::Desconectado) {
            ++cortados;
            EXPECT_EQ(s.porque, "no saludo a tiempo");
            ultimoCorte = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
        }
    }
    EXPECT_GE(conectados, 1);
    EXPECT_LE(conectados, static_cast<int>(net::kMaxSinSaludoPorDireccion));
    EXPECT_EQ(cortados, conectados);
    EXPECT_LE(ultimoCorte, net::kSaludoMs + 1000.0);
    // The player's slot and traffic are untouched.
    jugador->Enviar(net::kParAnfitrion, net::kCanalEntrada, {7});
    s = Siguiente(*anfitrion);
    EXPECT_EQ(s.par, par);
    EXPECT_EQ(s.bytes, std::vector<uint8_t>{7});
}

TEST(Transporte, LeeDirecciones) {
    struct Caso {
        const char* texto;
        const char* anfitrion;  // nullptr: refused
        uint16_t puerto;
    };
    const Caso casos[] = {
        {"192.168.1.20", "192.168.1.20", net::kDefaultPort},
        {"mi-pc.local:8000", "mi-pc.local", 8000},
        {"[fe80::1%eth0]:65535", "fe80::1%eth0", 65535},
        {"[::1]", "::1", net::kDefaultPort},
        {"::1", "::1", net::kDefaultPort},
        {"", nullptr, 0},
        {"pc:", nullptr, 0},
        {"pc:0", nullptr, 0},
        {"pc:65536", nullptr, 0},
        {"pc:80x", nullptr, 0},
        {":80", nullptr, 0},
        {"[::1", nullptr, 0},
        {"[::1]80", nullptr, 0},
        {"pc/../x", nullptr, 0},
        {"a b", nullptr, 0},
    };
    for (const Caso& c : casos) {
        std::string anfitrion = "?", error;
        uint16_t puerto = 1;
        const bool bien = net::LeerDireccion(c.texto, anfitrion, puerto, error);
        EXPECT_EQ(bien, c.anfitrion != nullptr) << c.texto << ": " << error;
        if (c.anfitrion && bien) {
            EXPECT_EQ(anfitrion, c.anfitrion);
            EXPECT_EQ(puerto, c.puerto);
        }
        if (!c.anfitrion) {
            EXPECT_FALSE(error.empty()) << c.texto;
        }
    }
    const std::vector<std::string> aqui = net::DireccionesLocales();
    ASSERT_FALSE(aqui.empty());
    EXPECT_EQ(aqui.back().rfind("127.", 0), 0u);  // loopback last
}
