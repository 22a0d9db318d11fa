#include "engine/asiento/papeles.h"

#include "engine/asiento/mandos.h"

namespace asientos {
namespace {
TPapeles publicados;
const TPapel kNinguno;
}  // namespace

void publicar(const TPapeles& p) {
    publicados = p;
    papelesCambiados();
}

const TPapeles& papeles() {
    return publicados;
}

const TPapel& papelDe(int s) {
    return s >= 0 && s < NUM_ASIENTOS ? publicados[static_cast<size_t>(s)] : kNinguno;
}

TPapeles soloRaton(int s) {
    TPapeles m;
    if (s >= 0 && s < NUM_ASIENTOS) m[static_cast<size_t>(s)].raton = true;
    return m;
}

TPapelesPublicados::TPapelesPublicados(const TPapeles& p) : anteriores(publicados) {
    publicar(p);
}
TPapelesPublicados::~TPapelesPublicados() {
    publicar(anteriores);
}

}  // namespace asientos
