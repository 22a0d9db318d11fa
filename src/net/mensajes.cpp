// The messages' bytes. Sections: writing (Escritor), reading (Lector), the checks shared by
// both (names, paths, text), each message's fields, the refusal texts.
#include "net/mensajes.h"

#include "platform/base/errors.h"
#include "platform/session/journal.h"

#include <cstring>

namespace net {
namespace {

enum class Tipo : uint8_t { Hola = 1, Bienvenida, Rechazo, Diario, Resumen, Entrada, Progreso, Asientos, Fin };
static_assert(std::variant_size_v<Mensaje> == static_cast<size_t>(Tipo::Fin));

// ---- checks of text ----

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF) with no
// control character, C0, DEL or C1: text that reaches the screen or a log line.
bool TextoImprimible(const std::string& s, std::string* porque) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    for (size_t i = 0; i < n;) {
        const unsigned c = p[i];
        uint32_t cp;
        size_t largo;
        if (c < 0x80) {
            cp = c, largo = 1;
        } else if (c >= 0xC2 && c <= 0xDF) {
            cp = c & 0x1F, largo = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            cp = c & 0x0F, largo = 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            cp = c & 0x07, largo = 4;
        } else {
            if (porque) *porque = "texto que no es UTF-8";
            return false;
        }
        if (largo > n - i) {
            if (porque) *porque = "texto UTF-8 cortado";
            return false;
        }
        for (size_t k = 1; k < largo; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) {
                if (porque) *porque = "texto que no es UTF-8";
                return false;
            }
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        const bool corta = (largo == 3 && cp < 0x800) || (largo == 4 && cp < 0x10000);
        if (corta || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            if (porque) *porque = "texto que no es UTF-8";
            return false;
        }
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F)) {
            if (porque) *porque = "texto con caracteres de control";
            return false;
        }
        i += largo;
    }
    return true;
}

bool Acotado(const std::string& s, size_t limite, const char* que, std::string* porque) {
    if (s.size() > limite) {
        if (porque)
            *porque = std::string(que) + " demasiado largo (" + std::to_string(s.size()) + " bytes, como mucho " +
                      std::to_string(limite) + ")";
        return false;
    }
    return true;
}

bool VersionValida(const std::string& v, std::string* porque) {
    if (!Acotado(v, kMaxVersion, "version", porque)) return false;
    for (unsigned char c : v)
        if (c <= 0x20 || c >= 0x7F) {
            if (porque) *porque = "version con caracteres no validos";
            return false;
        }
    return true;
}

bool DetalleValido(const std::string& d, std::string* porque) {
    return Acotado(d, kMaxDetalle, "detalle", porque) && TextoImprimible(d, porque);
}

// ---- writing ----

class Escritor {
   public:
    explicit Escritor(uint8_t tipo) { b.push_back(tipo); }
    void u8(uint8_t v) { b.push_back(v); }
    void u16(uint16_t v) { Entero(v, 2); }
    void u32(uint32_t v) { Entero(v, 4); }
    void u64(uint64_t v) { Entero(v, 8); }
    void texto(const std::string& s) {
        u16(static_cast<uint16_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
    }
    std::vector<uint8_t> b;

   private:
    void Entero(uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
};

// Values a caller passes that no message can carry: a programming error.
void Exigir(bool ok, const std::string& campo, const std::string& porque = "") {
    if (!ok) throw GameError("net::Codificar - " + campo + (porque.empty() ? "" : ": " + porque));
}

void Texto(Escritor& w, const std::string& s, const std::string& campo, bool (*valido)(const std::string&, std::string*)) {
    std::string porque;
    Exigir(valido(s, &porque), campo, porque);
    w.texto(s);
}

void Escribir(Escritor& w, const Hola& m) {
    w.u16(m.protocolo);
    Texto(w, m.version, "Hola.version", VersionValida);
    if (m.protocolo != kProtocolo) return;  // another protocol's Hola (tests): no more fields
    w.u32(static_cast<uint32_t>(m.formato));
    w.u8(m.espectador ? 1 : 0);
    Exigir(m.asiento >= -1 && m.asiento < kAsientos, "Hola.asiento");
    w.u8(static_cast<uint8_t>(m.asiento));
    Texto(w, m.nombre, "Hola.nombre", NombreValido);
    Exigir(m.datos.size() <= kMaxArchivos, "Hola.datos");
    w.u16(static_cast<uint16_t>(m.datos.size()));
    for (size_t i = 0; i < m.datos.size(); ++i) {
        Exigir(i == 0 || m.datos[i - 1].ruta < m.datos[i].ruta, "Hola.datos", "sin ordenar");
        Texto(w, m.datos[i].ruta, "Hola.datos", RutaValida);
        w.u64(m.datos[i].huella);
    }
    w.u64(m.token);
}
void Escribir(Escritor& w, const Bienvenida& m) {
    Exigir(m.asiento >= -1 && m.asiento < kAsientos, "Bienvenida.asiento");
    w.u8(static_cast<uint8_t>(m.asiento));
    Texto(w, m.nombre, "Bienvenida.nombre", NombreValido);
    w.u64(m.token);
}
void Escribir(Escritor& w, const Rechazo& m) {
    Exigir(m.motivo <= Rechazo::SinAsiento, "Rechazo.motivo");
    w.u8(m.motivo);
    Texto(w, m.detalle, "Rechazo.detalle", DetalleValido);
}
void Escribir(Escritor& w, const Diario& m) {
    Exigir(!m.bytes.empty() && m.bytes.size() <= kMaxDiario, "Diario.bytes");
    w.u32(static_cast<uint32_t>(m.bytes.size()));
    w.b.insert(w.b.end(), m.bytes.begin(), m.bytes.end());
}
void Escribir(Escritor& w, const Resumen& m) {
    w.u32(m.flip);
    w.u64(m.huella);
}
void Escribir(Escritor& w, const Entrada& m) {
    w.u8(m.tipo);
    w.u32(m.enviadoMs);
    switch (m.tipo) {
        case Entrada::Boton:
            Exigir(m.control >= 0 && m.control < kBotones && (m.valor == 0 || m.valor == 1), "Entrada.boton");
            w.u8(static_cast<uint8_t>(m.control));
            w.u8(static_cast<uint8_t>(m.valor));
            break;
        case Entrada::Eje:
            Exigir(m.control >= 0 && m.control < kEjes && m.valor >= -32768 && m.valor <= 32767, "Entrada.eje");
            w.u8(static_cast<uint8_t>(m.control));
            w.u16(static_cast<uint16_t>(static_cast<int16_t>(m.valor)));
            break;
        case Entrada::Puntero:
            Exigir(m.x >= 0 && m.x < kAnchoVirtual && m.y >= 0 && m.y < kAltoVirtual, "Entrada.puntero");
            w.u16(static_cast<uint16_t>(m.x));
            w.u16(static_cast<uint16_t>(m.y));
            break;
        default: Exigir(false, "Entrada.tipo");
    }
}
void Escribir(Escritor& w, const Progreso& m) { w.u32(m.flip); }
void Escribir(Escritor& w, const Asientos& m) {
    for (const std::string& n : m.nombres) Texto(w, n, "Asientos.nombres", NombreValido);
}
void Escribir(Escritor& w, const Fin& m) {
    Exigir(m.codigo >= 0 && m.codigo <= 255, "Fin.codigo");
    w.u8(static_cast<uint8_t>(m.codigo));
    w.u32(m.flip);
}

// ---- reading ----

// Reads fields from the packet, never past its end. The first failure keeps its reason
// and every later read fails too, so a message's reader checks once at the end.
class Lector {
   public:
    Lector(const uint8_t* data, size_t size) : p(data), n(size) {}
    bool ok() const { return error.empty(); }
    const std::string& porque() const { return error; }
    void Falla(const std::string& why) {
        if (error.empty()) error = why;
    }
    size_t Quedan() const { return ok() ? n - at : 0; }

    uint8_t u8(const char* que) { return static_cast<uint8_t>(Entero(1, que)); }
    uint16_t u16(const char* que) { return static_cast<uint16_t>(Entero(2, que)); }
    uint32_t u32(const char* que) { return static_cast<uint32_t>(Entero(4, que)); }
    uint64_t u64(const char* que) { return Entero(8, que); }
    // A length-prefixed string of at most limite bytes; the length is checked against the
    // limit and against what is left before anything is allocated.
    std::string texto(size_t limite, const char* que) {
        const size_t largo = u16(que);
        if (!ok()) return {};
        if (largo > limite) {
            Falla(std::string(que) + " demasiado largo (" + std::to_string(largo) + " bytes, como mucho " +
                  std::to_string(limite) + ")");
            return {};
        }
        return Bytes(largo, que);
    }
    std::string Bytes(size_t largo, const char* que) {
        if (!ok()) return {};
        if (largo > n - at) {
            Falla(std::string("mensaje cortado en ") + que);
            return {};
        }
        std::string s(reinterpret_cast<const char*>(p + at), largo);
        at += largo;
        return s;
    }

   private:
    uint64_t Entero(int bytes, const char* que) {
        if (!ok()) return 0;
        if (static_cast<size_t>(bytes) > n - at) {
            Falla(std::string("mensaje cortado en ") + que);
            return 0;
        }
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(p[at + i]) << (8 * i);
        at += bytes;
        return v;
    }
    const uint8_t* p;
    size_t n;
    size_t at = 0;
    std::string error;
};

void Comprobar(Lector& r, bool ok, const std::string& porque) {
    if (!ok) r.Falla(porque);
}
// A string checked with valido (which gives the reason).
std::string Texto(Lector& r, size_t limite, const char* que, bool (*valido)(const std::string&, std::string*)) {
    std::string s = r.texto(limite, que);
    std::string porque;
    if (r.ok() && !valido(s, &porque)) r.Falla(std::string(que) + ": " + porque);
    return s;
}
int Asiento(Lector& r, const char* que) {
    const uint8_t a = r.u8(que);
    const int asiento = a == 0xFF ? -1 : a;
    Comprobar(r, asiento < kAsientos, std::string(que) + " fuera de rango (" + std::to_string(a) + ")");
    return asiento;
}

Hola LeerHola(Lector& r, bool& otroProtocolo) {
    Hola m;
    m.protocolo = r.u16("protocolo");
    if (r.ok() && (m.protocolo >> 8) != (kProtocolo >> 8)) {
        r.Falla("no es un saludo de Frikipartida");
        return m;
    }
    m.version = Texto(r, kMaxVersion, "version", VersionValida);
    if (m.protocolo != kProtocolo) {
        // A build speaking another protocol: its version is all this one can read.
        otroProtocolo = true;
        return m;
    }
    m.formato = static_cast<int32_t>(r.u32("formato"));
    const uint8_t espectador = r.u8("espectador");
    Comprobar(r, espectador <= 1, "espectador no valido");
    m.espectador = espectador == 1;
    m.asiento = Asiento(r, "asiento");
    m.nombre = Texto(r, kMaxNombre, "nombre", NombreValido);
    const size_t cuantos = r.u16("datos");
    Comprobar(r, cuantos <= kMaxArchivos,
              "demasiados archivos de datos (" + std::to_string(cuantos) + ", como mucho " +
                  std::to_string(kMaxArchivos) + ")");
    // Each entry takes at least 10 bytes: a count the packet cannot hold is refused before
    // the list is sized by it.
    Comprobar(r, cuantos * 10 <= r.Quedan(), "mensaje cortado en datos");
    if (!r.ok()) return m;
    m.datos.reserve(cuantos);
    for (size_t i = 0; i < cuantos && r.ok(); ++i) {
        ArchivoDatos a;
        a.ruta = Texto(r, kMaxRuta, "ruta de datos", RutaValida);
        a.huella = r.u64("huella");
        if (r.ok() && !m.datos.empty() && !(m.datos.back().ruta < a.ruta))
            r.Falla("datos sin ordenar o repetidos: " + a.ruta);
        m.datos.push_back(std::move(a));
    }
    m.token = r.u64("token");
    return m;
}
Bienvenida LeerBienvenida(Lector& r) {
    Bienvenida m;
    m.asiento = Asiento(r, "asiento");
    m.nombre = Texto(r, kMaxNombre, "nombre", NombreValido);
    m.token = r.u64("token");
    return m;
}
Rechazo LeerRechazo(Lector& r) {
    Rechazo m;
    const uint8_t motivo = r.u8("motivo");
    Comprobar(r, motivo <= Rechazo::SinAsiento, "motivo de rechazo desconocido " + std::to_string(motivo));
    m.motivo = r.ok() ? static_cast<Rechazo::Motivo>(motivo) : Rechazo::Otro;
    m.detalle = Texto(r, kMaxDetalle, "detalle", DetalleValido);
    return m;
}
Diario LeerDiario(Lector& r) {
    Diario m;
    const uint32_t largo = r.u32("diario");
    Comprobar(r, largo >= 1 && largo <= kMaxDiario,
              "trozo de diario de " + std::to_string(largo) + " bytes (de 1 a " + std::to_string(kMaxDiario) + ")");
    m.bytes = r.Bytes(largo, "diario");
    return m;
}
Resumen LeerResumen(Lector& r) {
    Resumen m;
    m.flip = r.u32("flip");
    m.huella = r.u64("huella");
    return m;
}
Entrada LeerEntrada(Lector& r) {
    Entrada m;
    const uint8_t tipo = r.u8("tipo de entrada");
    m.enviadoMs = r.u32("hora de envio");
    if (!r.ok()) return m;
    switch (tipo) {
        case Entrada::Boton:
            m.tipo = Entrada::Boton;
            m.control = r.u8("boton");
            m.valor = r.u8("valor");
            Comprobar(r, m.control < kBotones, "boton fuera de rango (" + std::to_string(m.control) + ")");
            Comprobar(r, m.valor <= 1, "valor de boton no valido (" + std::to_string(m.valor) + ")");
            break;
        case Entrada::Eje:
            m.tipo = Entrada::Eje;
            m.control = r.u8("eje");
            m.valor = static_cast<int16_t>(r.u16("valor"));
            Comprobar(r, m.control < kEjes, "eje fuera de rango (" + std::to_string(m.control) + ")");
            break;
        case Entrada::Puntero:
            m.tipo = Entrada::Puntero;
            m.x = r.u16("x");
            m.y = r.u16("y");
            Comprobar(r, m.x < kAnchoVirtual && m.y < kAltoVirtual,
                      "puntero fuera de la pantalla (" + std::to_string(m.x) + ", " + std::to_string(m.y) + ")");
            break;
        default: r.Falla("tipo de entrada desconocido " + std::to_string(tipo));
    }
    return m;
}
Progreso LeerProgreso(Lector& r) { return Progreso{r.u32("flip")}; }
Asientos LeerAsientos(Lector& r) {
    Asientos m;
    for (std::string& n : m.nombres) n = Texto(r, kMaxNombre, "nombre", NombreValido);
    return m;
}
Fin LeerFin(Lector& r) {
    Fin m;
    m.codigo = r.u8("codigo");
    m.flip = r.u32("flip");
    return m;
}

const char* NombreAsiento(const std::string& detalle) { return detalle.empty() ? "?" : detalle.c_str(); }

}  // namespace

bool NombreValido(const std::string& nombre, std::string* porque) {
    return Acotado(nombre, kMaxNombre, "nombre", porque) && TextoImprimible(nombre, porque);
}

bool RutaValida(const std::string& ruta, std::string* porque) {
    auto falla = [&](const std::string& why) {
        if (porque) *porque = why;
        return false;
    };
    if (!Acotado(ruta, kMaxRuta, "ruta", porque)) return false;
    if (ruta.empty()) return falla("ruta vacia");
    if (!TextoImprimible(ruta, porque)) return false;
    if (ruta.find('\\') != std::string::npos) return falla("ruta con '\\'");
    if (ruta.front() == '/') return falla("ruta absoluta");
    size_t inicio = 0;
    while (true) {
        const size_t fin = ruta.find('/', inicio);
        const std::string parte = ruta.substr(inicio, fin == std::string::npos ? std::string::npos : fin - inicio);
        if (parte.empty() || parte == "." || parte == "..") return falla("ruta con una parte '" + parte + "'");
        if (fin == std::string::npos) return true;
        inicio = fin + 1;
    }
}

std::vector<uint8_t> Codificar(const Mensaje& m) {
    Escritor w(static_cast<uint8_t>(m.index() + 1));
    std::visit([&](const auto& x) { Escribir(w, x); }, m);
    return std::move(w.b);
}

std::optional<Mensaje> Decodificar(const uint8_t* data, size_t size, std::string* porque) {
    auto falla = [&](const std::string& why) -> std::optional<Mensaje> {
        if (porque) *porque = why;
        return std::nullopt;
    };
    if (size == 0) return falla("mensaje vacio");
    if (size > kMaxPaquete) return falla("mensaje demasiado grande (" + std::to_string(size) + " bytes)");
    Lector r(data + 1, size - 1);
    Mensaje m;
    bool otroProtocolo = false;
    switch (static_cast<Tipo>(data[0])) {
        case Tipo::Hola: m = LeerHola(r, otroProtocolo); break;
        case Tipo::Bienvenida: m = LeerBienvenida(r); break;
        case Tipo::Rechazo: m = LeerRechazo(r); break;
        case Tipo::Diario: m = LeerDiario(r); break;
        case Tipo::Resumen: m = LeerResumen(r); break;
        case Tipo::Entrada: m = LeerEntrada(r); break;
        case Tipo::Progreso: m = LeerProgreso(r); break;
        case Tipo::Asientos: m = LeerAsientos(r); break;
        case Tipo::Fin: m = LeerFin(r); break;
        default: return falla("tipo de mensaje desconocido " + std::to_string(data[0]));
    }
    if (!r.ok()) return falla(r.porque());
    if (r.Quedan() != 0 && !otroProtocolo)
        return falla(std::to_string(r.Quedan()) + " bytes de mas al final del mensaje");
    return m;
}

std::string TextoRechazo(const Rechazo& r, Lado lado) {
    const std::string otro = lado == Lado::Cliente ? "del anfitrion" : "del jugador";
    switch (r.motivo) {
        case Rechazo::Version:
            return "Version distinta " + otro + ": " + r.detalle + " (aqui " + journal::kGameVersion + ")";
        case Rechazo::FormatoDiario:
            return "Formato de diario distinto " + otro + ": " + r.detalle + " (aqui " +
                   std::to_string(journal::kFormatVersion) + ")";
        case Rechazo::Datos: return "Datos distintos " + otro + ": " + r.detalle;
        case Rechazo::Lleno: return "La partida esta llena";
        case Rechazo::AsientoOcupado:
            return std::string("El asiento de ") + NombreAsiento(r.detalle) + " ya esta ocupado";
        case Rechazo::AsientoNoValido: return "No hay asiento " + r.detalle;
        case Rechazo::NombreJugando: return "Ese nombre ya esta jugando";
        case Rechazo::NoPermitido:
            return lado == Lado::Cliente ? "El anfitrion no admite el mensaje " + r.detalle
                                         : "Mensaje no permitido del jugador: " + r.detalle;
        case Rechazo::Cerrada: return "El anfitrion ha dejado de hospedar";
        case Rechazo::SinAsiento: return "No queda ningun asiento libre (se puede mirar la partida con --watch)";
        case Rechazo::Otro:
            break;
    }
    return lado == Lado::Cliente ? "El anfitrion no deja entrar: " + r.detalle : "Jugador rechazado: " + r.detalle;
}

std::optional<Rechazo> ComprobarHola(const Hola& hola, const std::vector<ArchivoDatos>& misDatos, std::string* aqui) {
    auto rechazo = [&](Rechazo::Motivo motivo, const std::string& mio, const std::string& suyo) {
        if (aqui) *aqui = TextoRechazo({motivo, suyo}, Lado::Anfitrion);
        return Rechazo{motivo, mio};
    };
    // The same protocol comes with the same version; a version alone is what players know.
    if (hola.protocolo != kProtocolo || hola.version != journal::kGameVersion) {
        std::string suya = hola.version;
        if (hola.version == journal::kGameVersion) suya += " (protocolo " + std::to_string(hola.protocolo & 0xFF) + ")";
        return rechazo(Rechazo::Version, journal::kGameVersion, suya);
    }
    if (hola.formato != journal::kFormatVersion)
        return rechazo(Rechazo::FormatoDiario, std::to_string(journal::kFormatVersion), std::to_string(hola.formato));
    if (std::optional<std::string> ruta = PrimeraDiferencia(misDatos, hola.datos))
        return rechazo(Rechazo::Datos, *ruta, *ruta);
    return std::nullopt;
}

}  // namespace net
