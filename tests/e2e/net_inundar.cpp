// For the network tests: a flood of connections that never say hello. From the loopback
// address given (127.0.0.2, so the host tells it apart from the players on 127.0.0.1), it
// makes N ENet connections to 127.0.0.1:PORT at once, and again for each one the host
// drops, keeping them idle, until SECONDS have passed; then it prints how many connected
// and how many the host dropped. Bounded in count and time; sends only to 127.0.0.1.
//
//     net_inundar PORT N SECONDS [FROM]
#include <enet/enet.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "uso: net_inundar PUERTO N SEGUNDOS [DESDE]\n");
        return 2;
    }
    const int puerto = std::atoi(argv[1]);
    const int n = std::atoi(argv[2]);
    const double segundos = std::atof(argv[3]);
    const std::string desde = argc > 4 ? argv[4] : "127.0.0.2";
    if (puerto < 1 || puerto > 65535 || n < 1 || n > 4000 || segundos <= 0 || segundos > 120) {
        std::fprintf(stderr, "net_inundar: valores fuera de rango\n");
        return 2;
    }
    if (enet_initialize() != 0) return 1;
    ENetAddress propia{};
    enet_address_set_host_ip(&propia, desde.c_str());
    ENetHost* host = enet_host_create(&propia, static_cast<size_t>(n), 3, 0, 0);
    if (!host) {
        std::fprintf(stderr, "net_inundar: no se puede abrir un puerto en %s\n", desde.c_str());
        return 1;
    }
    ENetAddress destino{};
    enet_address_set_host_ip(&destino, "127.0.0.1");
    destino.port = static_cast<enet_uint16>(puerto);
    // At most this many attempts in all, however fast the host drops them.
    const long tope = 50L * n;
    long intentos = 0, conectadas = 0, cortadas = 0;
    auto conectar = [&] {
        if (intentos >= tope) return;
        if (enet_host_connect(host, &destino, 3, 0)) ++intentos;
    };
    for (int i = 0; i < n; ++i) conectar();
    const auto fin = std::chrono::steady_clock::now() + std::chrono::duration<double>(segundos);
    while (std::chrono::steady_clock::now() < fin) {
        ENetEvent ev;
        while (enet_host_service(host, &ev, 5) > 0) {
            if (ev.type == ENET_EVENT_TYPE_CONNECT) ++conectadas;
            if (ev.type == ENET_EVENT_TYPE_DISCONNECT) {
                ++cortadas;
                conectar();
            }
            if (ev.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(ev.packet);
        }
    }
    std::printf("intentos %ld conectadas %ld cortadas %ld\n", intentos, conectadas, cortadas);
    enet_host_destroy(host);
    enet_deinitialize();
    return 0;
}
