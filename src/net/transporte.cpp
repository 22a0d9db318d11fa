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
// ENet slots beyond maxPares: those waiting to be let in, and a few so that whoever finds
// the game full can still be told so.
constexpr size_t kHuecosDeRechazo = 4;
constexpr size_t kHuecos = kMaxSinSaludo + kHuecosDeRechazo;
// A connection whose first packet came just before kSaludoMs keeps its slot this long
// after it, for the game to read the hello and let it in.
constexpr uint32_t kMargenSaludoMs = 1000;
// How often the thread looks for connections that have waited too long.
constexpr uint32_t kRevisionMs = 100;
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

std::string Ip(const ENetAddress& a) {
    char ip[64] = "?";
    enet_address_get_host_ip(&a, ip, sizeof ip);
    return ip;
}
std::string Texto(const ENetAddress& a) { return Ip(a) + ":" + std::to_string(a.port); }

bool EnSaludo(const ENetPeer* p) {
    return p->state == ENET_PEER_STATE_ACKNOWLEDGING_CONNECT || p->state == ENET_PEER_STATE_CONNECTION_PENDING ||
           p->state == ENET_PEER_STATE_CONNECTION_SUCCEEDED;
}

}  // namespace

// ---- the shared state ----

struct Transporte::Estado {
    struct Orden {
        enum { Enviar, Cerrar, Aceptar } que;
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

    // The thread's own.
    std::map<ENetPeer*, int> ids;      // connected peers (and refused ones, as -1)
    std::map<int, ENetPeer*> peers;    // by id, connected and accepted
    std::set<ENetPeer*> cerrando;      // closed from this side: their end is no loss
    int siguiente = 1;
    // Host: peers not yet let in, connected or still in ENet's handshake, and since when.
    std::map<ENetPeer*, uint32_t> sinSaludo;
    std::set<ENetPeer*> oidos;  // of those, the ones that sent something
    size_t dentro = 0;  // peers let in and still connected
    std::set<ENetPeer*> aceptados;
    // Connections dropped for lack of room or of a hello, by address, not yet reported.
    std::map<std::string, size_t> cortadas;
    uint32_t ultimoAviso = 0;
    bool avisado = false;
    uint32_t ultimaRevision = 0;

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
        sinSaludo.erase(peer);
        oidos.erase(peer);
        if (aceptados.erase(peer)) --dentro;
        auto it = ids.find(peer);
        if (it == ids.end()) return;
        peers.erase(it->second);
        ids.erase(it);
    }
    void Cortar(ENetPeer* peer);
    void Revisar();
    void Avisar(bool ya);
    void Topar();
};

// ---- the thread ----

// A connection that has no room or said no hello in time: gone at once, without an answer
// (whoever floods us learns nothing), and counted.
void Transporte::Estado::Cortar(ENetPeer* peer) {
    ++cortadas[Ip(peer->address)];
    auto it = ids.find(peer);
    if (it != ids.end() && it->second > 0) {
        const int id = it->second;
        Olvidar(peer);
        {
            std::lock_guard<std::mutex> l(mu);
            medidas.erase(id);
        }
        enet_peer_reset(peer);
        Publicar({Suceso::Desconectado, id, 0, {}, true, "no saludo a tiempo"});
        return;
    }
    Olvidar(peer);
    enet_peer_reset(peer);
}

// Host: drops the connections that have waited kSaludoMs, the half-open ones included.
void Transporte::Estado::Revisar() {
    const uint32_t ahora = enet_time_get();
    if (ENET_TIME_DIFFERENCE(ahora, ultimaRevision) < kRevisionMs) return;
    ultimaRevision = ahora;
    for (size_t i = 0; i < host->peerCount; ++i) {
        ENetPeer* p = &host->peers[i];
        if (EnSaludo(p) && !sinSaludo.count(p)) sinSaludo[p] = ahora;
    }
    std::vector<ENetPeer*> tarde;
    for (auto it = sinSaludo.begin(); it != sinSaludo.end();) {
        ENetPeer* p = it->first;
        const bool vivo = EnSaludo(p) || (p->state == ENET_PEER_STATE_CONNECTED && ids.count(p));
        if (!vivo) {
            oidos.erase(p);
            it = sinSaludo.erase(it);
            continue;
        }
        if (ENET_TIME_DIFFERENCE(ahora, it->second) >= kSaludoMs) tarde.push_back(p);
        ++it;
    }
    for (ENetPeer* p : tarde) Cortar(p);
    Avisar(false);
}

// Once a minute at most, what was dropped and from where; ya: now, whatever the time.
void Transporte::Estado::Avisar(bool ya) {
    if (cortadas.empty()) return;
    const uint32_t ahora = enet_time_get();
    if (!ya && avisado && ENET_TIME_DIFFERENCE(ahora, ultimoAviso) < kAvisoCortadasMs) return;
    // The busiest addresses first, a few of them.
    std::vector<std::pair<size_t, std::string>> lista;
    size_t total = 0;
    for (const auto& [ip, n] : cortadas) {
        lista.emplace_back(n, ip);
        total += n;
    }
    std::sort(lista.rbegin(), lista.rend());
    std::string desde;
    for (size_t i = 0; i < lista.size() && i < 4; ++i)
        desde += (i ? ", " : "") + lista[i].second + " (" + std::to_string(lista[i].first) + ")";
    if (lista.size() > 4) desde += " y " + std::to_string(lista.size() - 4) + " mas";
    std::printf("Conexiones cortadas sin saludo o sin sitio%s: %zu, desde %s\n", avisado ? " desde el aviso anterior" : "",
                total, desde.c_str());
    std::fflush(stdout);
    cortadas.clear();
    avisado = true;
    ultimoAviso = ahora;
}

// ENet doubles a packet's resend delay each time it goes unanswered, without a ceiling;
// after an outage it would wait as long again before trying. Capped here, the next resend
// is never far off.
void Transporte::Estado::Topar() {
    for (size_t i = 0; i < host->peerCount; ++i) {
        ENetPeer* p = &host->peers[i];
        if (p->state != ENET_PEER_STATE_CONNECTED && p->state != ENET_PEER_STATE_DISCONNECT_LATER) continue;
        const enet_uint32 tope = std::max<enet_uint32>(kReenvioTopeMs, 2 * p->roundTripTime);
        for (ENetListIterator it = enet_list_begin(&p->sentReliableCommands);
             it != enet_list_end(&p->sentReliableCommands); it = enet_list_next(it)) {
            auto* c = reinterpret_cast<ENetOutgoingCommand*>(it);
            if (c->roundTripTimeout > tope) c->roundTripTimeout = tope;
        }
    }
}

void Transporte::Estado::Atender(const ENetEvent& ev) {
    switch (ev.type) {
        case ENET_EVENT_TYPE_CONNECT: {
            // The time alone decides: resends are capped (Topar), so their count says nothing.
            enet_peer_timeout(ev.peer, 0, kSinRespuestaMs, kSinRespuestaMs);
            // ENet's throttle narrows the reliable window after losses; after a blackout it
            // left the stream trickling for seconds. Our traffic is a few kilobytes a second
            // and must not lag: the window stays open.
            enet_peer_throttle_configure(ev.peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, ENET_PEER_PACKET_THROTTLE_SCALE, 0);
            if (!cliente) {
                // Room among those waiting to be let in, in all and from this address.
                size_t todos = 0, suyos = 0;
                for (const auto& [id, p] : peers)
                    if (!aceptados.count(p)) {
                        ++todos;
                        if (p->address.host == ev.peer->address.host) ++suyos;
                    }
                if (todos >= kMaxSinSaludo || suyos >= kMaxSinSaludoPorDireccion) {
                    sinSaludo.erase(ev.peer);
                    ++cortadas[Ip(ev.peer->address)];
                    enet_peer_reset(ev.peer);
                    return;
                }
            }
            if (!cliente && dentro >= maxPares) {
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
            if (!cliente && !sinSaludo.count(ev.peer)) sinSaludo[ev.peer] = enet_time_get();
            {
                // Queued before any of its packets.
                std::lock_guard<std::mutex> l(mu);
                medidas[id].direccion = Texto(ev.peer->address);
                medidas[id].idaYVuelta = static_cast<int>(ev.peer->roundTripTime);
                sucesos.push_back({Suceso::Conectado, id, 0, {}, false, ""});
            }
            llegada.notify_all();
            return;
        }
        case ENET_EVENT_TYPE_DISCONNECT: {
            auto it = ids.find(ev.peer);
            if (it == ids.end()) {
                // A client's connection attempt that nobody answered.
                if (cliente) Publicar({Suceso::Desconectado, kParAnfitrion, 0, {}, true, "no contesta nadie"});
                sinSaludo.erase(ev.peer);
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
            // Its hello came just in time: the game gets a moment to let it in.
            if (auto espera = sinSaludo.find(ev.peer); espera != sinSaludo.end() && oidos.insert(ev.peer).second)
                espera->second = std::max(espera->second, enet_time_get() - kSaludoMs + kMargenSaludoMs);
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
            if (o.que == Orden::Aceptar) {
                if (aceptados.insert(it->second).second) ++dentro;
                sinSaludo.erase(it->second);
                oidos.erase(it->second);
                continue;
            }
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
        Topar();
        if (!cliente) Revisar();

        if (Reloj::now() - medir >= std::chrono::milliseconds(100)) {
            medir = Reloj::now();
            std::lock_guard<std::mutex> l(mu);
            for (auto& [id, peer] : peers) medidas[id].idaYVuelta = static_cast<int>(peer->roundTripTime);
        }
    }
    enet_host_flush(host);
    if (!cliente) Avisar(true);
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
    e->host = enet_host_create(&a, maxPares + kHuecos, kCanales, 0, 0);
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
    // The connection attempt gives up with our wait, not ENet's longer default; once
    // connected, the usual timeouts apply (Atender).
    enet_peer_timeout(peer, 0, static_cast<uint32_t>(std::max(esperaMs, 1)), static_cast<uint32_t>(std::max(esperaMs, 1)));
    ENetAddress propia{};
    e->puerto = enet_socket_get_address(e->host->socket, &propia) == 0 ? propia.port : 0;
    return std::make_unique<Transporte>(std::move(e));
}

// ---- the game thread's side ----

void Transporte::Enviar(int par, Canal canal, std::vector<uint8_t> bytes) {
    if (canal < 0 || canal >= kCanales) throw GameError("net::Transporte::Enviar - canal no valido");
    std::lock_guard<std::mutex> l(e->mu);
    e->ordenes.push_back({Estado::Orden::Enviar, par, canal, std::move(bytes)});
}

void Transporte::Aceptar(int par) {
    std::lock_guard<std::mutex> l(e->mu);
    e->ordenes.push_back({Estado::Orden::Aceptar, par, 0, {}});
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
