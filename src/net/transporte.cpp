// The network thread and its queues. Sections: the shared state, the thread's loop (orders
// from the game, ENet's events), starting a host or a client, the game thread's side,
// addresses.
#include "net/transporte.h"

#include "net/mensajes.h"
#include "platform/base/errors.h"

#include <arpa/inet.h>
#include <enet/enet.h>
#include <enet/time.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace net {
namespace {

// The value a polite goodbye carries in ENet's disconnect, told apart from a timeout (0).
constexpr uint32_t kAdios = 0x46504121;
// Slots beyond maxPares, so that whoever finds the game full can still be told so.
constexpr size_t kHuecosDeRechazo = 4;
// ENet keeps at most this much of a peer's out-of-order and half-assembled data; our
// largest message fits in it many times over.
constexpr size_t kMaxEsperaEnet = 4u << 20;
// Leaving, the wait for a peer's last packets ends when it has been silent this long.
constexpr uint32_t kSilencioDespedidaMs = 2000;
// Events handled per turn of the loop before looking at the game's orders again.
constexpr int kSucesosPorVuelta = 256;

void IniciarEnet() {
    static std::once_flag una;
    static bool bien = false;
    std::call_once(una, [] { bien = enet_initialize() == 0; });
    if (!bien) throw GameError("No se puede iniciar la red (ENet)");
}

std::string Texto(const ENetAddress& a) {
    char ip[64] = "?";
    enet_address_get_host_ip(&a, ip, sizeof ip);
    return std::string(ip) + ":" + std::to_string(a.port);
}

}  // namespace

// ---- the shared state ----

struct Transporte::Estado {
    struct Orden {
        enum { Enviar, Cerrar } que;
        int par;
        int canal;
        std::vector<uint8_t> bytes;
    };
    struct Medidas {
        int idaYVuelta = -1;
        size_t enviados = 0;
        size_t pendiente = 0;  // bytes received and not yet taken by the game
        std::string direccion;
    };

    ENetHost* host = nullptr;  // the thread's alone once it runs
    bool cliente = false;
    size_t maxPares = 0;
    uint16_t puerto = 0;
    std::thread hilo;
    std::atomic<bool> parar{false};

    mutable std::mutex mu;  // guards everything below it
    std::condition_variable llegada;
    std::deque<Orden> ordenes;
    std::deque<Suceso> sucesos;
    std::map<int, Medidas> medidas;
    bool conectado = false, fallido = false;  // a client's connection, for Conectar's wait

    // The thread's own.
    std::map<ENetPeer*, int> ids;      // connected peers (and refused ones, as -1)
    std::map<int, ENetPeer*> peers;    // by id, connected and accepted
    std::set<ENetPeer*> cerrando;      // closed from this side: their end is no loss
    int siguiente = 1;

    ~Estado() {
        if (host) enet_host_destroy(host);
    }

    void Bucle();
    void Atender(const ENetEvent& ev);
    void Publicar(Suceso s) {
        s.llegada = std::chrono::steady_clock::now();
        {
            std::lock_guard<std::mutex> l(mu);
            if (s.tipo == Suceso::Datos) medidas[s.par].pendiente += s.bytes.size();
            sucesos.push_back(std::move(s));
        }
        llegada.notify_all();
    }
    void Olvidar(ENetPeer* peer) {
        cerrando.erase(peer);
        auto it = ids.find(peer);
        if (it == ids.end()) return;
        peers.erase(it->second);
        ids.erase(it);
    }
};

// ---- the thread ----

void Transporte::Estado::Atender(const ENetEvent& ev) {
    switch (ev.type) {
        case ENET_EVENT_TYPE_CONNECT: {
            enet_peer_timeout(ev.peer, kReintentosTope, kSinRespuestaMinMs, kSinRespuestaMaxMs);
            // ENet's throttle narrows the reliable window after losses; after a blackout it
            // left the stream trickling for seconds. Our traffic is a few kilobytes a second
            // and must not lag: the window stays open.
            enet_peer_throttle_configure(ev.peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, ENET_PEER_PACKET_THROTTLE_SCALE, 0);
            if (!cliente && peers.size() >= maxPares) {
                // Full: say so on the control channel, then close after it is delivered.
                const std::vector<uint8_t> b = Codificar(Rechazo{Rechazo::Lleno, ""});
                enet_peer_send(ev.peer, kCanalControl, enet_packet_create(b.data(), b.size(), ENET_PACKET_FLAG_RELIABLE));
                enet_peer_disconnect_later(ev.peer, kAdios);
                ids[ev.peer] = -1;
                return;
            }
            const int id = cliente ? kParAnfitrion : siguiente++;
            ids[ev.peer] = id;
            peers[id] = ev.peer;
            {
                // Conectar's wait ends with the Conectado already queued.
                std::lock_guard<std::mutex> l(mu);
                medidas[id].direccion = Texto(ev.peer->address);
                medidas[id].idaYVuelta = static_cast<int>(ev.peer->roundTripTime);
                conectado = true;
                sucesos.push_back({Suceso::Conectado, id, 0, {}, false, ""});
            }
            llegada.notify_all();
            return;
        }
        case ENET_EVENT_TYPE_DISCONNECT: {
            auto it = ids.find(ev.peer);
            if (it == ids.end()) {
                // A client's connection attempt that failed.
                std::lock_guard<std::mutex> l(mu);
                fallido = true;
                llegada.notify_all();
                return;
            }
            const int id = it->second;
            const bool aqui = cerrando.count(ev.peer) > 0;
            Olvidar(ev.peer);
            if (id < 0) return;  // a refused one
            {
                std::lock_guard<std::mutex> l(mu);
                medidas.erase(id);
            }
            const bool perdido = !aqui && ev.data != kAdios;
            Publicar({Suceso::Desconectado, id, 0, {}, perdido,
                      aqui ? "cerrada desde aqui" : perdido ? "se perdio la conexion" : "cerro la conexion"});
            return;
        }
        case ENET_EVENT_TYPE_RECEIVE: {
            auto it = ids.find(ev.peer);
            const int id = it == ids.end() ? -1 : it->second;
            const size_t largo = ev.packet->dataLength;
            if (id < 0 || ev.channelID >= kCanales) {
                enet_packet_destroy(ev.packet);
                return;
            }
            bool desborda;
            {
                std::lock_guard<std::mutex> l(mu);
                desborda = medidas[id].pendiente + largo > kMaxPendiente;
            }
            if (desborda) {
                enet_packet_destroy(ev.packet);
                enet_peer_disconnect_now(ev.peer, 0);  // no DISCONNECT event follows
                Olvidar(ev.peer);
                {
                    std::lock_guard<std::mutex> l(mu);
                    medidas.erase(id);
                }
                Publicar({Suceso::Desconectado, id, 0, {}, true, "envio demasiados datos sin leer"});
                return;
            }
            Suceso s{Suceso::Datos, id, ev.channelID, {}, false, ""};
            s.bytes.assign(ev.packet->data, ev.packet->data + largo);
            enet_packet_destroy(ev.packet);
            Publicar(std::move(s));
            return;
        }
        case ENET_EVENT_TYPE_NONE: return;
    }
}

void Transporte::Estado::Bucle() {
    using Reloj = std::chrono::steady_clock;
    bool despidiendo = false;
    Reloj::time_point limite{};
    auto medir = Reloj::now();
    while (true) {
        // Read before taking the orders: whatever the game queued before it asked to stop
        // is then among them, and goes out before the goodbye.
        const bool pararYa = parar.load();
        std::deque<Orden> tanda;
        {
            std::lock_guard<std::mutex> l(mu);
            tanda.swap(ordenes);
        }
        for (Orden& o : tanda) {
            auto it = peers.find(o.par);
            if (it == peers.end()) continue;
            if (o.que == Orden::Cerrar) {
                cerrando.insert(it->second);
                enet_peer_disconnect_later(it->second, kAdios);
                continue;
            }
            ENetPacket* p = enet_packet_create(o.bytes.data(), o.bytes.size(), ENET_PACKET_FLAG_RELIABLE);
            if (p && enet_peer_send(it->second, static_cast<enet_uint8>(o.canal), p) == 0) {
                std::lock_guard<std::mutex> l(mu);
                medidas[o.par].enviados += o.bytes.size();
            } else if (p) {
                enet_packet_destroy(p);
            }
        }
        if (pararYa && !despidiendo) {
            // Orders queued before the destructor ran are in ENet now: goodbye after them.
            despidiendo = true;
            limite = Reloj::now() + std::chrono::milliseconds(kEsperaDespedidaMs);
            for (auto& [id, peer] : peers) {
                cerrando.insert(peer);
                enet_peer_disconnect_later(peer, kAdios);
            }
        }
        if (despidiendo) {
            if (ids.empty() || Reloj::now() >= limite) break;
            // A peer still taking its last packets keeps answering; one silent for a while
            // is not coming back in time (the player closed the game during an outage).
            const uint32_t ahora = enet_time_get();
            bool oye = false;
            for (const auto& [peer, id] : ids)
                if (ENET_TIME_DIFFERENCE(ahora, peer->lastReceiveTime) < kSilencioDespedidaMs) oye = true;
            if (!oye) break;
        }

        ENetEvent ev;
        int r = enet_host_service(host, &ev, 1);
        for (int n = 0; r > 0;) {
            Atender(ev);
            if (++n == kSucesosPorVuelta) break;
            r = enet_host_check_events(host, &ev);
        }
        if (r < 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));  // a socket error: no busy loop

        if (Reloj::now() - medir >= std::chrono::milliseconds(100)) {
            medir = Reloj::now();
            std::lock_guard<std::mutex> l(mu);
            for (auto& [id, peer] : peers) medidas[id].idaYVuelta = static_cast<int>(peer->roundTripTime);
        }
    }
    enet_host_flush(host);
}

// ---- starting ----

Transporte::Transporte(std::unique_ptr<Estado> estado) : e(std::move(estado)) {
    e->hilo = std::thread([s = e.get()] { s->Bucle(); });
}

Transporte::~Transporte() {
    e->parar = true;
    if (e->hilo.joinable()) e->hilo.join();
}

std::unique_ptr<Transporte> Transporte::Escuchar(uint16_t puerto, size_t maxPares) {
    IniciarEnet();
    auto e = std::make_unique<Estado>();
    ENetAddress a{};
    a.host = ENET_HOST_ANY;
    a.port = puerto;
    e->host = enet_host_create(&a, maxPares + kHuecosDeRechazo, kCanales, 0, 0);
    if (!e->host)
        throw GameError("No se puede abrir el puerto " + std::to_string(puerto) +
                        " para la partida (puede que otro programa lo este usando)");
    // ENet's own bounds on what a peer may make it hold; they have no setter.
    e->host->maximumPacketSize = kMaxPaquete;
    e->host->maximumWaitingData = kMaxEsperaEnet;
    ENetAddress propia{};
    e->puerto = enet_socket_get_address(e->host->socket, &propia) == 0 ? propia.port : puerto;
    e->maxPares = maxPares;
    return std::make_unique<Transporte>(std::move(e));
}

std::unique_ptr<Transporte> Transporte::Conectar(const std::string& anfitrion, uint16_t puerto, int esperaMs) {
    IniciarEnet();
    const std::string donde = (anfitrion.find(':') != std::string::npos ? "[" + anfitrion + "]" : anfitrion) +
                              ":" + std::to_string(puerto);
    ENetAddress a{};
    a.port = puerto;
    if (anfitrion.find(':') != std::string::npos)
        throw GameError("No se puede conectar con " + donde + ": solo se juega por IPv4");
    if (enet_address_set_host(&a, anfitrion.c_str()) != 0) throw GameError("No se encuentra el anfitrion " + anfitrion);
    auto e = std::make_unique<Estado>();
    e->cliente = true;
    e->host = enet_host_create(nullptr, 1, kCanales, 0, 0);
    if (!e->host) throw GameError("No se puede abrir un puerto para conectar con " + donde);
    e->host->maximumPacketSize = kMaxPaquete;
    e->host->maximumWaitingData = kMaxEsperaEnet;
    ENetPeer* peer = enet_host_connect(e->host, &a, kCanales, 0);
    if (!peer) throw GameError("No se puede conectar con " + donde);
    // The connection attempt gives up with our wait, not ENet's longer default.
    enet_peer_timeout(peer, kReintentosTope, static_cast<uint32_t>(std::max(esperaMs, 1)),
                      static_cast<uint32_t>(std::max(esperaMs, 1)));
    ENetAddress propia{};
    e->puerto = enet_socket_get_address(e->host->socket, &propia) == 0 ? propia.port : 0;
    Estado* s = e.get();
    auto t = std::make_unique<Transporte>(std::move(e));
    bool bien;
    {
        std::unique_lock<std::mutex> l(s->mu);
        s->llegada.wait_for(l, std::chrono::milliseconds(std::max(esperaMs, 0)),
                            [&] { return s->conectado || s->fallido; });
        bien = s->conectado;
    }
    if (!bien) throw GameError("No se puede conectar con " + donde);  // t's destructor ends the thread
    return t;
}

// ---- the game thread's side ----

void Transporte::Enviar(int par, Canal canal, std::vector<uint8_t> bytes) {
    if (canal < 0 || canal >= kCanales) throw GameError("net::Transporte::Enviar - canal no valido");
    std::lock_guard<std::mutex> l(e->mu);
    e->ordenes.push_back({Estado::Orden::Enviar, par, canal, std::move(bytes)});
}

void Transporte::Cerrar(int par) {
    std::lock_guard<std::mutex> l(e->mu);
    e->ordenes.push_back({Estado::Orden::Cerrar, par, 0, {}});
}

bool Transporte::Tomar(Suceso& s) { return Esperar(s, 0); }

bool Transporte::Esperar(Suceso& s, int ms) {
    std::unique_lock<std::mutex> l(e->mu);
    if (!e->llegada.wait_for(l, std::chrono::milliseconds(std::max(ms, 0)), [&] { return !e->sucesos.empty(); }))
        return false;
    s = std::move(e->sucesos.front());
    e->sucesos.pop_front();
    if (s.tipo == Suceso::Datos) {
        auto it = e->medidas.find(s.par);
        if (it != e->medidas.end()) it->second.pendiente -= std::min(it->second.pendiente, s.bytes.size());
    }
    return true;
}

int Transporte::IdaYVueltaMs(int par) const {
    std::lock_guard<std::mutex> l(e->mu);
    auto it = e->medidas.find(par);
    return it == e->medidas.end() ? -1 : it->second.idaYVuelta;
}

size_t Transporte::BytesEnviados(int par) const {
    std::lock_guard<std::mutex> l(e->mu);
    auto it = e->medidas.find(par);
    return it == e->medidas.end() ? 0 : it->second.enviados;
}

uint16_t Transporte::Puerto() const { return e->puerto; }

std::string Transporte::Direccion(int par) const {
    std::lock_guard<std::mutex> l(e->mu);
    auto it = e->medidas.find(par);
    return it == e->medidas.end() ? std::string() : it->second.direccion;
}

// ---- addresses ----

std::vector<std::string> DireccionesLocales() {
    std::vector<std::string> fuera, dentro;
    ifaddrs* lista = nullptr;
    if (getifaddrs(&lista) != 0) return {};
    for (ifaddrs* i = lista; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP)) continue;
        char ip[INET_ADDRSTRLEN];
        if (!inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr, ip, sizeof ip)) continue;
        auto& a = (i->ifa_flags & IFF_LOOPBACK) ? dentro : fuera;
        if (std::find(a.begin(), a.end(), ip) == a.end()) a.push_back(ip);
    }
    freeifaddrs(lista);
    fuera.insert(fuera.end(), dentro.begin(), dentro.end());
    return fuera;
}

bool LeerDireccion(const std::string& texto, std::string& anfitrion, uint16_t& puerto, std::string& error) {
    auto mal = [&](const std::string& why) {
        error = why;
        return false;
    };
    if (texto.empty()) return mal("Falta la direccion del anfitrion");
    std::string host, numero;
    bool v6 = false;
    if (texto.front() == '[') {
        const size_t cierre = texto.find(']');
        if (cierre == std::string::npos) return mal("Direccion no valida: " + texto);
        host = texto.substr(1, cierre - 1);
        const std::string resto = texto.substr(cierre + 1);
        if (!resto.empty()) {
            if (resto.front() != ':') return mal("Direccion no valida: " + texto);
            numero = resto.substr(1);
            if (numero.empty()) return mal("Puerto no valido en " + texto + " (de 1 a 65535)");
        }
        v6 = true;
    } else {
        const size_t dos = std::count(texto.begin(), texto.end(), ':');
        if (dos >= 2) {
            host = texto, v6 = true;  // a bare IPv6 address takes no port
        } else if (dos == 1) {
            const size_t c = texto.find(':');
            host = texto.substr(0, c);
            numero = texto.substr(c + 1);
            if (numero.empty()) return mal("Puerto no valido en " + texto + " (de 1 a 65535)");
        } else {
            host = texto;
        }
    }
    if (host.empty() || host.size() > 253) return mal("Direccion no valida: " + texto);
    for (char c : host) {
        const bool letra = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        const bool vale = letra || c == '.' || c == '-' || (!v6 && c == '_') || (v6 && (c == ':' || c == '%'));
        if (!vale) return mal("Direccion no valida: " + texto);
    }
    uint32_t p = kDefaultPort;
    if (!numero.empty()) {
        if (numero.size() > 5 || numero.find_first_not_of("0123456789") != std::string::npos)
            return mal("Puerto no valido en " + texto + " (de 1 a 65535)");
        p = static_cast<uint32_t>(std::stoul(numero));
        if (p < 1 || p > 65535) return mal("Puerto no valido en " + texto + " (de 1 a 65535)");
    }
    anfitrion = host;
    puerto = static_cast<uint16_t>(p);
    error.clear();
    return true;
}

}  // namespace net
