#pragma once
// The one small exception hierarchy of the game. `main` catches GameError, shows the
// message (message box when a display exists, standard output always), prints the
// closing line when there is one, and exits with a non-zero code.
#include <stdexcept>
#include <string>

class GameError : public std::runtime_error {
public:
    // message: the game's own text, shown to the player as it stands.
    // closingLine: printed after the message (library stops), empty for none.
    explicit GameError(const std::string& message, std::string closingLine = {})
        : std::runtime_error(message), closing(std::move(closingLine)) {}
    const std::string& closingLine() const { return closing; }

private:
    std::string closing;
};
