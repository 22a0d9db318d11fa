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
    // notice: the message box is an ordinary notice rather than an error.
    // lineEnd: the message is printed with a line end before the closing line.
    explicit GameError(const std::string& message, std::string closingLine = {}, bool notice = false,
                       bool lineEnd = true)
        : std::runtime_error(message), closing(std::move(closingLine)), noticeBox(notice), messageLineEnd(lineEnd) {}
    const std::string& closingLine() const { return closing; }
    bool notice() const { return noticeBox; }
    bool lineEnd() const { return messageLineEnd; }

private:
    std::string closing;
    bool noticeBox;
    bool messageLineEnd;
};
