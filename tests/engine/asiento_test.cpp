// The seat room's own rules: how names find their seat, and how the one emitter turns
// holders into key and mouse events.
#include "engine/asiento/asiento.h"
#include "engine/asiento/emisor.h"
#include "engine/asiento/ocupantes.h"
#include "engine/asiento/remotos.h"
#include "support/rig_fixture.h"

namespace {

TEST(Asiento, NamesFindTheirSeatInAnyCaseAndOnlyTheCommandLineTakesFolders) {
    EXPECT_EQ(asientos::asientoDe("er_VARSEN"), 1);
    EXPECT_EQ(asientos::asientoDe("ervarsen"), -1) << "jugadores.cfg and --cpu take names only";
    EXPECT_EQ(asientos::asientoDeNombreOCarpeta("ERVARSEN"), 1);
    EXPECT_EQ(asientos::asientoDeNombreOCarpeta("pexil"), 3);
    EXPECT_EQ(asientos::asientoDeNombreOCarpeta("Pepe"), -1);
    EXPECT_EQ(asientos::nombresSeguidos(), "Tarsun, Er_Varsen, Quelbido, Pexil");
    EXPECT_EQ(asientos::rotulo(1), "ER_VARSEN");
    EXPECT_EQ(asientos::retrato(1), "artwork/char-ervarsen.png");
    EXPECT_EQ(asientos::oponentes(2), (std::array<int, 3>{0, 1, 3}));
}

class Emisor : public testrig::HeadlessTest {};

// Two controllers on the same key (both in the menus, both on A): one press, one typed
// character, and the key stays down until the last of them lets go.
TEST_F(Emisor, AKeyHeldByTwoIsPressedOnceAndLetGoWithTheLast) {
    asientos::TEmisor e;
    e.bajar(KEY_Q);
    e.bajar(KEY_Q);
    EXPECT_EQ(KeyHit(KEY_Q), 1);
    EXPECT_EQ(GetChar(), 'q');
    EXPECT_EQ(GetChar(), 0);
    e.soltar(KEY_Q);
    EXPECT_EQ(KeyDown(KEY_Q), 1);
    e.soltar(KEY_Q);
    EXPECT_EQ(KeyDown(KEY_Q), 0);

    e.pulsar(KEY_SPACE);
    EXPECT_EQ(KeyHit(KEY_SPACE), 1);
    EXPECT_EQ(KeyDown(KEY_SPACE), 0);
    EXPECT_EQ(GetChar(), ' ');

    e.raton(512, 384);
    e.boton(1, true);
    e.boton(1, true);
    e.boton(1, false);
    EXPECT_EQ(MouseX(), 512);
    EXPECT_EQ(MouseY(), 384);
    EXPECT_EQ(MouseHit(1), 1);
    EXPECT_EQ(MouseDown(1), 1);
    e.bajar(KEY_P);
    e.soltarTodo();
    EXPECT_EQ(MouseDown(1), 0);
    EXPECT_EQ(KeyDown(KEY_P), 0);
    EXPECT_FALSE(e.bajada(KEY_P) || e.botonBajado(1));
}

}  // namespace

namespace {

// A computer standing in for a remote player who dropped out plays at the normal level,
// whatever level the others play at; the seat's player back, the seat is theirs again.
TEST(Asiento, AComputerStandingInForADroppedRemotePlayerPlaysAtNormal) {
    asientos::Eleccion dificil;
    dificil.cpu[1] = true;
    dificil.nivel = asientos::NIVEL_DIFICIL;
    asientos::configurar(dificil, 1);
    asientos::remotoCambiado(2, "Ana");
    asientos::remotoCambiado(2, "");  // dropped out
    EXPECT_TRUE(asientos::esCPU(2));
    {
        asientos::JugandoPor por(2);
        EXPECT_EQ(asientos::nivel(), asientos::NIVEL_NORMAL);
        asientos::JugandoPor otro(1);
        EXPECT_EQ(asientos::nivel(), asientos::NIVEL_DIFICIL) << "the chosen computer plays as chosen";
    }
    EXPECT_EQ(asientos::nivel(), asientos::NIVEL_DIFICIL);
    asientos::remotoCambiado(2, "Ana");
    EXPECT_FALSE(asientos::esCPU(2));
    asientos::olvidarRemotos();
    asientos::configurar({}, 1);
}

}  // namespace
