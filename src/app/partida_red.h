#pragma once
// Online play for this run, as its options ask: hosting a match (--host), or following a
// host's match as a player at a seat (--join) or a spectator (--watch). It joins the
// network layer to the seats: which seats a newcomer may take, what a follower's keyboard
// and mouse mean for its seat, and the state both sides compare after every flip.
#include "platform/session/run.h"

#include <memory>
#include <string>

namespace journal {
class ByteSource;
}
namespace net {
class Anfitrion;
class Seguidor;
}  // namespace net

class TPartidaRed {
   public:
    // Before the platform starts: a host starts listening (its journal's first line must
    // reach the stream); a follower connects and is let in. Null when the options ask for
    // no online play. Throws GameError with the reason in plain words.
    static std::unique_ptr<TPartidaRed> empezar(const session::Options& opciones, const std::string& carpetaDatos);
    ~TPartidaRed();

    // A follower's session journal: the host's stream (null for a host).
    std::unique_ptr<journal::ByteSource> flujo();
    // After the platform started: a follower's keyboard and mouse act for its seat.
    void conectarEntrada();
    // The run ended with code: ends the journal (journal::Finish), tells the clients or the
    // host, and returns the exit code.
    int terminar(int codigo);

   private:
    TPartidaRed() = default;
    std::unique_ptr<net::Anfitrion> anfitrion;
    std::unique_ptr<net::Seguidor> seguidor;
};
