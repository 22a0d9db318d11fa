#include "engine/gestor_sonido.h"

#include "platform/session/folders.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

TGestorSonidoPtr& instalado() {
    static TGestorSonidoPtr gestor;
    return gestor;
}

// The extension after the last dot, lower-cased; empty when the name has no dot.
std::string extension(const std::string& nombre) {
    const auto punto = nombre.rfind('.');
    if (punto == std::string::npos) return {};
    std::string ext = nombre.substr(punto + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

}  // namespace

void TGestorSonido::insertar(const std::string& nombre, TSoundPtr sonido) {
    _audioTable[nombre] = std::move(sonido);
}

TChannelPtr TGestorSonido::reproducir(const std::string& nombre) {
    const auto it = _audioTable.find(nombre);
    if (it == _audioTable.end() || !it->second) return nullptr;
    TChannelPtr canal = PlaySound(it->second);
    if (canal) canal->SetVolume(_soundVolume / 100.0f);
    return canal;
}

float TGestorSonido::getMusicVolume() const {
    return _musicVolume / 100.0f;
}
float TGestorSonido::getSoundVolume() const {
    return _soundVolume / 100.0f;
}
void TGestorSonido::setSoundVolume(int percent) {
    _soundVolume = percent;
}
void TGestorSonido::setMusicVolume(int percent) {
    _musicVolume = percent;
}

TGestorSonidoPtr TGestorSonido::Create() {
    auto gestor = std::make_shared<TGestorSonido>();
    std::vector<std::string> rutas;
    for (const std::string& entrada : ReadDir("sfx/")) {
        if (extension(entrada) == "wav") rutas.push_back("sfx/" + entrada);
    }
    for (const std::string& ruta : rutas) gestor->insertar(ruta, LoadSound(ruta, 0));
    return gestor;
}

void TGestorSonido::CreateGlobal() {
    setGestorSonido(Create());
}

TGestorSonido& gestorSonido() {
    TGestorSonidoPtr& gestor = instalado();
    if (!gestor) gestor = std::make_shared<TGestorSonido>();
    return *gestor;
}

void setGestorSonido(TGestorSonidoPtr gestor) {
    instalado() = std::move(gestor);
}
