#include "engine/tiempo.h"

#include "engine/pausa.h"
#include "platform/session/clock.h"

#include <bit>
#include <cmath>
#include <sstream>
#include <vector>

std::unique_ptr<TTiempo> TTiempo::Create(int fps) {
    auto t = std::make_unique<TTiempo>();
    t->ultimoTiempo = pausa::reloj();
    t->fps = fps;
    t->incFrame = fps > 0 ? 1000 / fps : 0;
    t->sigFrame = MillisecsAfter(t->ultimoTiempo, t->incFrame);
    return t;
}

int TTiempo::update() {
    int32_t now = pausa::reloj();
    ultimoIncReal = MillisecsBetween(ultimoTiempo, now);
    ultimoInc = static_cast<float>((ultimoIncReal / 1000.0) * tiempoX);
    tiempoReal = MillisecsAfter(tiempoReal, ultimoIncReal);  // a running sum, wrapping like the clock
    timer += ultimoInc;
    ultimoTiempo = now;
    return 0;
}

float TTiempo::getInc(int real) const {
    return real != 0 ? static_cast<float>(ultimoIncReal / 1000.0) : ultimoInc;
}

float TTiempo::getTimer(int real) const {
    return real != 0 ? static_cast<float>(tiempoReal / 1000.0) : timer;
}

int TTiempo::setDistorsionTiempo(float x) {
    tiempoX = (x >= 0) ? x : 0.0f;  // NaN compares false and lands on 0 too
    return 0;
}

int TTiempo::setFps(int n) {
    if (n > 0) {
        fps = n;
        incFrame = 1000 / n;
        sigFrame = MillisecsAfter(ultimoTiempo, incFrame);
    }
    return 0;
}

int TTiempo::esperaFrame() {
    const int32_t now = pausa::reloj();
    const int32_t adelanto = MillisecsBetween(now, sigFrame);
    if (adelanto > 0) {
        Delay(adelanto);
    } else if (-static_cast<int64_t>(adelanto) > MAX_RETRASO_MS) {
        // Back from another loop (a minigame, a banner): the frames missed meanwhile are
        // not owed, so the schedule starts again from now instead of running unpaced
        // until it has caught up.
        sigFrame = now;
    }
    sigFrame = MillisecsAfter(sigFrame, incFrame);
    return 0;
}

namespace {
struct TDuradero {
    std::string nombre;
    TTiempo* tiempo;
};
std::vector<TDuradero>& duraderos() {
    static std::vector<TDuradero> lista;
    return lista;
}
}  // namespace

void TTiempo::registrarDuradero(const std::string& nombre, TTiempo* t) {
    for (TDuradero& d : duraderos())
        if (d.nombre == nombre) {
            d.tiempo = t;
            return;
        }
    duraderos().push_back({nombre, t});
}

std::string TTiempo::estadoDuraderos(int32_t ahora) {
    std::ostringstream out;
    for (const TDuradero& d : duraderos()) {
        if (!d.tiempo) continue;
        const TTiempo& t = *d.tiempo;
        out << (out.tellp() > 0 ? " " : "") << d.nombre << " " << std::bit_cast<uint32_t>(t.timer) << " "
            << t.tiempoReal << " " << MillisecsBetween(t.ultimoTiempo, ahora) << " "
            << MillisecsBetween(t.ultimoTiempo, t.sigFrame);
    }
    return out.str();
}

bool TTiempo::restaurarDuraderos(const std::string& texto, int32_t ahora) {
    struct Valor {
        TTiempo* t;
        uint32_t timer;
        int32_t real, desde, siguiente;
    };
    std::vector<Valor> valores;
    std::istringstream in(texto);
    for (std::string nombre; in >> nombre;) {
        Valor v{};
        for (const TDuradero& d : duraderos())
            if (d.nombre == nombre) v.t = d.tiempo;
        if (!(in >> v.timer >> v.real >> v.desde >> v.siguiente) || !v.t) return false;
        if (!std::isfinite(std::bit_cast<float>(v.timer))) return false;
        valores.push_back(v);
    }
    for (const Valor& v : valores) {
        v.t->timer = std::bit_cast<float>(v.timer);
        v.t->tiempoReal = v.real;
        v.t->ultimoTiempo = MillisecsAfter(ahora, -v.desde);
        v.t->sigFrame = MillisecsAfter(v.t->ultimoTiempo, v.siguiente);
    }
    return true;
}
