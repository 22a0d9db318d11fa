#include "app/opciones_molonas.h"

#include "app/deslizamiento.h"
#include "app/pantalla_jugadores.h"
#include "engine/gestor_sonido.h"
#include "minigames/love_is_in_the_air/frases.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/image.h"
#include "platform/video/render.h"

#include <cmath>

TImageFontPtr TOpcionesMolonas::fuente;
TImageFontPtr TOpcionesMolonas::fuenteLineas;

namespace {
enum Linea { kMusica, kSonido, kAntialias, kShaders, kPhysX, kDisplacement, kFrases, kJugadores, kVolver };

// Back from the manager's 0..1 to percent. Rounded: truncating the float product would
// show 53 as 52 on the next visit.
int porcentaje(float volumen) {
    return static_cast<int>(std::lround(volumen * 100.0));
}

// A volume in percent moved one step a frame while its key is held, kept within 0..100.
void ajustarVolumen(int& volumen) {
    if (KeyDown(KEY_RIGHT) && volumen < 100) ++volumen;
    if (KeyDown(KEY_LEFT) && volumen > 0) --volumen;
}
}  // namespace

void TOpcionesMolonas::cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);
    // Nine lines at 44 and 37 apart fit inside the picture's panel, "Volver" too.
    fuenteLineas = LoadImageFont("artwork/comic.ttf", 44, SMOOTHFONT);
}

std::unique_ptr<TOpcionesMolonas> TOpcionesMolonas::Create() {
    return std::make_unique<TOpcionesMolonas>();
}

int TOpcionesMolonas::start() {
    TImagePtr fondo = LoadImage("artwork/opciones.png");
    SetImageFont(fuenteLineas);
    TDeslizamiento lista(120);
    int selection = 0;
    const int last = static_cast<int>(options.size()) - 1;

    int musica = porcentaje(gestorSonido().getMusicVolume());
    int sonido = porcentaje(gestorSonido().getSoundVolume());
    // The switches are shown only; nothing else reads them.
    int antialias = 0;  // 0 "No", 1 "2x", 2 "4x"
    int shaders = 0, physx = 0, displacement = 0;
    const bool suavesAlEntrar = frases::suavesElegidas();
    bool suaves = suavesAlEntrar;

    // An Escape pressed before this screen opened does not close it.
    KeyHitAlso(KEY_ESCAPE);
    while (true) {
        const bool enter = KeyHit(KEY_ENTER) > 0;
        // Escape goes back as "Volver" does.
        if (KeyHitAlso(KEY_ESCAPE) > 0) break;
        if (enter) {
            // Enter leaves from any line but "Jugadores", which opens the players screen
            // and comes back here as it was left.
            if (selection != kJugadores) break;
            TPantallaJugadores::Create()->start();
            SetImageFont(fuenteLineas);
        }
        SetColor(255, 255, 255);
        DrawImage(fondo, 0, 0, 0);

        if (!lista.enReposo()) {
            lista.avanzar();
        } else {
            // Left and Right hits are taken every frame, so a press made on a volume line
            // does not reach a switch selected later.
            const bool derecha = KeyHit(KEY_RIGHT) > 0;
            const bool izquierda = KeyHit(KEY_LEFT) > 0;
            switch (selection) {
                case kMusica:
                    ajustarVolumen(musica);
                    gestorSonido().setMusicVolume(musica);
                    break;
                case kSonido:
                    ajustarVolumen(sonido);
                    gestorSonido().setSoundVolume(sonido);
                    break;
                case kAntialias:
                    if (derecha && antialias < 2) ++antialias;
                    if (izquierda && antialias > 0) --antialias;
                    break;
                case kFrases:
                    if (derecha) suaves = true;
                    if (izquierda) suaves = false;
                    break;
                case kShaders:
                case kPhysX:
                case kDisplacement: {
                    int& valor = selection == kShaders ? shaders : selection == kPhysX ? physx : displacement;
                    if (derecha) valor = 1;
                    if (izquierda) valor = 0;
                    break;
                }
                default: break;
            }
            selection = moverSeleccion(selection, last);
        }

        dibujarLista(options, lista, selection, [&](int i) -> std::string {
            switch (i) {
                case kMusica: return std::to_string(musica);
                case kSonido: return std::to_string(sonido);
                case kAntialias: return antialias == 0 ? "No" : antialias == 1 ? "2x" : "4x";
                case kShaders: return shaders ? "Si" : "No";
                case kPhysX: return physx ? "Si" : "No";
                case kDisplacement: return displacement ? "Si" : "No";
                case kFrases: return suaves ? "suaves" : "originales";
                default: return "";  // "Jugadores" and "Volver" have no value
            }
        });

        Flip(-1);
        Cls();
    }
    if (suaves != suavesAlEntrar) frases::elegirSuaves(suaves);
    return -1;
}
