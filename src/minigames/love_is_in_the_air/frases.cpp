#include "minigames/love_is_in_the_air/frases.h"

#include "platform/base/settings.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"

#include <optional>

namespace frases {
namespace {
constexpr const char* kArchivo = "frases.cfg";
constexpr const char* kAjuste = "frases";

// Chosen on the options screen in this run (none: the file says).
std::optional<bool> elegida;
}  // namespace

const Lista& originales() {
    static const Lista lista = {
        "¡Hola! Oye, me gusta mucho eso que estas programando...",
        "Joder, menudas tetas nena",
        "Errr... te apetece echar una copula desinteresada?",
        "Perdona, soy un poco timido y no he podido evitar fijarme en ti",
        "Fuckeamos?",
        "Vaya culo, oiga!",
        "Hola, perdona si te molesto, ¿te gustaria dar una vuelta?",
        "Jugamos al cepillo? Yo pongo el palo y tu pones los pelillos",
        "Jugamos al teto? Tu te agachas y yo te la meto",
        "Eres la chica mas guapa del universo conocido",
        "Comeme la Po, ya no te lo digo, Comeme la Cho, rabo de gorrino",
        "Preciosa, quieres conocer al autentico Garfendo?",
        "Te apetece dar un paseo a la luz de la luna?",
        "Tengo un cimbrel matutino, como la copa de un pino",
        "Te gustaria conocer mi serpiente de un solo ojo?",
    };
    return lista;
}

// The wrong answers stay wrong (rude, vain or plain silly: they still earn the slap), but
// nothing in them is sexual or crude.
const Lista& suaves() {
    static const Lista lista = {
        "¡Hola! Oye, me gusta mucho eso que estas programando...",
        "Oye, tu codigo tiene mas fallos que una escopeta de feria",
        "Errr... ¿me dejas tu silla? La mia cojea y la tuya es mas bonita",
        "Perdona, soy un poco timido y no he podido evitar fijarme en ti",
        "¿Me prestas veinte euros?",
        "Vaya pelos, ¿te has peinado con la batidora?",
        "Hola, perdona si te molesto, ¿te gustaria dar una vuelta?",
        "¿Jugamos a algo? Yo hablo de mi y tu me escuchas tres horas",
        "¿Sabes que yo gano siempre al buscaminas? Siempre.",
        "Eres la chica mas guapa del universo conocido",
        "Hueles a pizza de anteayer, pero no pasa nada, yo tambien",
        "Preciosa, ¿quieres ver mi coleccion de chapas de refresco?",
        "Te apetece dar un paseo a la luz de la luna?",
        "No me ducho desde el lunes, pero llevo la camiseta de la suerte",
        "¿Te gustaria conocer a mi madre? Vivo en su sotano",
    };
    return lista;
}

std::string palabra(bool s) { return s ? "suaves" : "originales"; }
bool esSuave(const std::string& p) { return p == "suaves"; }

bool suavesElegidas() {
    return esSuave(journal::SettingSince(
        kAjuste, palabra(false),
        [] {
            if (elegida) return palabra(*elegida);
            const auto bytes = settings::Read(kArchivo);
            if (!bytes) return palabra(false);
            const std::string texto = bytes->substr(0, bytes->find_first_of("\r\n"));
            return palabra(esSuave(texto));
        }));
}

const Lista& enJuego() { return suavesElegidas() ? suaves() : originales(); }

void elegirSuaves(bool s) {
    elegida = s;
    if (session::Current().replay.empty() && !session::FollowsStream()) settings::Write(kArchivo, palabra(s) + "\n");
}

}  // namespace frases
