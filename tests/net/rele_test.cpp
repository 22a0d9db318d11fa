// The transport over a bad link (tests/net/relay.py on the loopback): 2% of datagrams lost,
// some reordered, and a 5-second blackout. Every packet still arrives, in order on its
// channel, and nobody is dropped. About 10 seconds, 19 at most.
#include "net/transporte.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Reloj = std::chrono::steady_clock;

// relay.py running for the test; killed (if still running) when it ends.
class Rele {
   public:
    explicit Rele(std::vector<std::string> args) {
        args.insert(args.begin(), {"python3", std::string(FK_SOURCE_DIR) + "/tests/net/relay.py"});
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int tubo[2];
        if (pipe(tubo) != 0) return;
        posix_spawn_file_actions_t acciones;
        posix_spawn_file_actions_init(&acciones);
        posix_spawn_file_actions_adddup2(&acciones, tubo[1], 1);
        posix_spawn_file_actions_addclose(&acciones, tubo[0]);
        if (posix_spawnp(&pid, "python3", &acciones, nullptr, argv.data(), environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&acciones);
        close(tubo[1]);
        // Its first line is its port.
        std::string linea;
        pollfd p{tubo[0], POLLIN, 0};
        while (pid > 0 && linea.find('\n') == std::string::npos && poll(&p, 1, 10000) > 0) {
            char c[64];
            const ssize_t n = read(tubo[0], c, sizeof c);
            if (n <= 0) break;
            linea.append(c, static_cast<size_t>(n));
        }
        close(tubo[0]);
        puerto = static_cast<uint16_t>(std::atoi(linea.c_str()));
    }
    ~Rele() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    pid_t pid = -1;
    uint16_t puerto = 0;
};

std::vector<uint8_t> Numerado(uint32_t n, size_t largo) {
    std::vector<uint8_t> b(largo, static_cast<uint8_t>(n * 13));
    std::memcpy(b.data(), &n, 4);
    return b;
}
uint32_t Numero(const std::vector<uint8_t>& b) {
    uint32_t n = 0xFFFFFFFF;
    if (b.size() >= 4) std::memcpy(&n, b.data(), 4);
    return n;
}

}  // namespace

TEST(Rele, ConPerdidasYUnApagonDeCincoSegundosLlegaTodoEnOrdenYNadieSeCae) {
    auto anfitrion = net::Transporte::Escuchar(0, 1);
    Rele rele({"--listen", "0", "--to", std::to_string(anfitrion->Puerto()), "--delay-ms", "5", "--jitter-ms",
               "3", "--drop", "0.02", "--reorder", "0.02", "--blackout-at", "1", "--blackout-for", "5",
               "--seconds", "30", "--seed", "7"});
    ASSERT_GT(rele.puerto, 0) << "relay.py did not start";
    const auto inicio = Reloj::now();  // the relay's blackout counts from about now
    auto cliente = net::Transporte::Conectar("127.0.0.1", rele.puerto, 3000);
    net::Suceso s;
    ASSERT_TRUE(anfitrion->Esperar(s, 3000));
    ASSERT_EQ(s.tipo, net::Suceso::Conectado);
    const int par = s.par;
    anfitrion->Aceptar(par);

    // The host streams journal chunks and control messages for 8 s; the client sends
    // input back. Each side checks that each channel's numbers come one after another.
    uint32_t enviados[net::kCanales] = {0, 0, 0};
    uint32_t recibidos[net::kCanales] = {0, 0, 0};
    bool caido = false;
    double huecoMasLargo = 0;
    auto ultima = Reloj::now();
    auto atender = [&](net::Transporte& t) {
        while (t.Tomar(s)) {
            if (s.tipo == net::Suceso::Desconectado) caido = true;
            if (s.tipo != net::Suceso::Datos) continue;
            EXPECT_EQ(Numero(s.bytes), recibidos[s.canal]) << "canal " << s.canal;
            recibidos[s.canal] = Numero(s.bytes) + 1;
            const auto ahora = Reloj::now();
            huecoMasLargo = std::max(huecoMasLargo, std::chrono::duration<double>(ahora - ultima).count());
            ultima = ahora;
        }
    };
    for (int vuelta = 0; Reloj::now() - inicio < std::chrono::seconds(8); ++vuelta) {
        anfitrion->Enviar(par, net::kCanalDiario, Numerado(enviados[0]++, 200 + (vuelta * 37) % 3000));
        if (vuelta % 10 == 0) anfitrion->Enviar(par, net::kCanalControl, Numerado(enviados[1]++, 12));
        if (vuelta % 3 == 0) cliente->Enviar(net::kParAnfitrion, net::kCanalEntrada, Numerado(enviados[2]++, 9));
        atender(*cliente);
        atender(*anfitrion);
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    // Then everything still on its way arrives, soon: resends are capped.
    const auto limite = inicio + std::chrono::seconds(12);
    while (Reloj::now() < limite && !caido &&
           !(recibidos[0] == enviados[0] && recibidos[1] == enviados[1] && recibidos[2] == enviados[2])) {
        atender(*cliente);
        atender(*anfitrion);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(caido);
    for (int c = 0; c < net::kCanales; ++c) EXPECT_EQ(recibidos[c], enviados[c]) << "canal " << c;
    EXPECT_GT(enviados[0], 250u);
    // The blackout happened: for about five seconds nothing came through, and the link
    // was live again well within a second of its end.
    EXPECT_GT(huecoMasLargo, 4.0);
    EXPECT_LT(huecoMasLargo, 6.0);
    EXPECT_GE(anfitrion->IdaYVueltaMs(par), 0);
}
