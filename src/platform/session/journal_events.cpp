// The input events a session journal keeps, and how each is written and read back.
// A new kind of event (a controller's, say) is one more entry in kKinds.
#include "platform/session/journal.h"


#include <SDL.h>

#include <charconv>
#include <cstdint>
#include <cstring>

namespace journal {

static_assert(kPadEventType == SDL_USEREVENT + 1, "a controller's event is the first user event type after SDL's own");

namespace {

bool Int(const std::string& s, int64_t lo, int64_t hi, int64_t& out) {
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && out >= lo && out <= hi;
}

// Field readers over one event line: each takes the next field or fails the line.
struct Fields {
    const std::vector<std::string>& f;
    size_t at;
    bool ok = true;
    int64_t next(int64_t lo, int64_t hi) {
        int64_t v = 0;
        if (at >= f.size() || !Int(f[at], lo, hi, v)) ok = false;
        ++at;
        return v;
    }
    bool done() const { return ok && at == f.size(); }
};

constexpr int64_t kCoord = 1 << 20;  // window coordinates are far smaller
constexpr int64_t kPointerMax = 16383;  // a logical screen is far smaller

struct EventKind {
    const char* name;
    // The fields of e when it is of this kind (false: not this kind).
    bool (*write)(const SDL_Event& e, std::string& out);
    // Fills e from the fields; false when they do not make a valid event.
    bool (*read)(Fields& in, SDL_Event& e);
};

std::string Num(int64_t v) { return std::to_string(v); }

bool WriteKey(const SDL_Event& e, std::string& out, Uint32 type) {
    if (e.type != type) return false;
    out = Num(e.key.keysym.sym) + " " + Num(e.key.keysym.scancode) + " " + Num(e.key.repeat);
    return true;
}
bool ReadKey(Fields& in, SDL_Event& e, Uint32 type) {
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = static_cast<SDL_Keycode>(in.next(INT32_MIN, INT32_MAX));
    e.key.keysym.scancode = static_cast<SDL_Scancode>(in.next(0, SDL_NUM_SCANCODES - 1));
    e.key.repeat = static_cast<Uint8>(in.next(0, 255));
    return in.done();
}

bool WriteButton(const SDL_Event& e, std::string& out, Uint32 type) {
    if (e.type != type) return false;
    out = Num(e.button.button) + " " + Num(e.button.x) + " " + Num(e.button.y);
    return true;
}
bool ReadButton(Fields& in, SDL_Event& e, Uint32 type) {
    e.type = type;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.button = static_cast<Uint8>(in.next(0, 255));
    e.button.x = static_cast<Sint32>(in.next(-kCoord, kCoord));
    e.button.y = static_cast<Sint32>(in.next(-kCoord, kCoord));
    return in.done();
}

const EventKind kKinds[] = {
    {"key-down", [](const SDL_Event& e, std::string& out) { return WriteKey(e, out, SDL_KEYDOWN); },
     [](Fields& in, SDL_Event& e) { return ReadKey(in, e, SDL_KEYDOWN); }},
    {"key-up", [](const SDL_Event& e, std::string& out) { return WriteKey(e, out, SDL_KEYUP); },
     [](Fields& in, SDL_Event& e) { return ReadKey(in, e, SDL_KEYUP); }},
    {"text",
     [](const SDL_Event& e, std::string& out) {
         if (e.type != SDL_TEXTINPUT) return false;
         out = Escape(std::string(e.text.text, strnlen(e.text.text, sizeof e.text.text)));
         return true;
     },
     [](Fields& in, SDL_Event& e) {
         e.type = SDL_TEXTINPUT;
         std::string text;
         if (in.at >= in.f.size() || !Unescape(in.f[in.at++], text)) return false;
         if (text.size() >= sizeof e.text.text || text.find('\0') != std::string::npos) return false;
         std::memcpy(e.text.text, text.c_str(), text.size() + 1);
         return in.done();
     }},
    {"motion",
     [](const SDL_Event& e, std::string& out) {
         if (e.type != SDL_MOUSEMOTION) return false;
         out = Num(e.motion.x) + " " + Num(e.motion.y);
         return true;
     },
     [](Fields& in, SDL_Event& e) {
         e.type = SDL_MOUSEMOTION;
         e.motion.x = static_cast<Sint32>(in.next(-kCoord, kCoord));
         e.motion.y = static_cast<Sint32>(in.next(-kCoord, kCoord));
         return in.done();
     }},
    {"button-down", [](const SDL_Event& e, std::string& out) { return WriteButton(e, out, SDL_MOUSEBUTTONDOWN); },
     [](Fields& in, SDL_Event& e) { return ReadButton(in, e, SDL_MOUSEBUTTONDOWN); }},
    {"button-up", [](const SDL_Event& e, std::string& out) { return WriteButton(e, out, SDL_MOUSEBUTTONUP); },
     [](Fields& in, SDL_Event& e) { return ReadButton(in, e, SDL_MOUSEBUTTONUP); }},
    {"wheel",
     [](const SDL_Event& e, std::string& out) {
         if (e.type != SDL_MOUSEWHEEL) return false;
         out = Num(e.wheel.x) + " " + Num(e.wheel.y);
         return true;
     },
     [](Fields& in, SDL_Event& e) {
         e.type = SDL_MOUSEWHEEL;
         e.wheel.x = static_cast<Sint32>(in.next(-kCoord, kCoord));
         e.wheel.y = static_cast<Sint32>(in.next(-kCoord, kCoord));
         return in.done();
     }},
    {"quit",
     [](const SDL_Event& e, std::string& out) {
         out.clear();
         return e.type == SDL_QUIT;
     },
     [](Fields& in, SDL_Event& e) {
         e.type = SDL_QUIT;
         return in.done();
     }},
    {"focus-lost",
     [](const SDL_Event& e, std::string& out) {
         out.clear();
         return e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_LOST;
     },
     [](Fields& in, SDL_Event& e) {
         e.type = SDL_WINDOWEVENT;
         e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
         return in.done();
     }},
    // A controller's event under the run's number for it: kind, controller, control, value
    // (a remote player's pointer, kind 4, carries its position in the two last).
    {"pad",
     [](const SDL_Event& e, std::string& out) {
         if (e.type != kPadEventType || e.user.code < 0 || e.user.code > 4) return false;
         out = Num(e.user.code) + " " + Num(e.user.windowID) + " " +
               Num(static_cast<int>(reinterpret_cast<intptr_t>(e.user.data1))) + " " +
               Num(static_cast<int>(reinterpret_cast<intptr_t>(e.user.data2)));
         return true;
     },
     [](Fields& in, SDL_Event& e) {
         e.type = kPadEventType;
         const int64_t kind = in.next(0, 4);
         const bool pointer = kind == 4;
         e.user.code = static_cast<Sint32>(kind);
         e.user.windowID = static_cast<Uint32>(in.next(1, 1 << 16));
         e.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(in.next(0, pointer ? kPointerMax : 255)));
         e.user.data2 = reinterpret_cast<void*>(
             static_cast<intptr_t>(pointer ? in.next(0, kPointerMax) : in.next(-32768, 32767)));
         return in.done();
     }},
    // A seat taken by a player over the network (seat, name), or left ("~").
    {"remote",
     [](const SDL_Event& e, std::string& out) {
         if (e.type != kRemoteSeatEventType || e.text.windowID > 3) return false;
         out = Num(e.text.windowID) + " " + Escape(std::string(e.text.text, strnlen(e.text.text, sizeof e.text.text)));
         return true;
     },
     [](Fields& in, SDL_Event& e) {
         e.type = kRemoteSeatEventType;
         e.text.windowID = static_cast<Uint32>(in.next(0, 3));
         std::string name;
         if (in.at >= in.f.size() || !Unescape(in.f[in.at++], name)) return false;
         if (name.size() >= sizeof e.text.text || name.find('\0') != std::string::npos) return false;
         std::memcpy(e.text.text, name.c_str(), name.size() + 1);
         return in.done();
     }},
};

bool Plain(unsigned char c) { return c > 0x20 && c < 0x7f && c != '%' && c != '~'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string Escape(const std::string& s) {
    if (s.empty()) return "~";
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (Plain(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool Unescape(const std::string& s, std::string& out) {
    out.clear();
    if (s == "~") return true;
    if (s.empty()) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            if (!Plain(static_cast<unsigned char>(s[i]))) return false;
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size()) return false;
        int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

std::string EventKindOf(const SDL_Event& e, std::string& fields) {
    for (const EventKind& k : kKinds)
        if (k.write(e, fields)) return k.name;
    fields.clear();
    return {};
}

bool EventFrom(const std::string& kind, const std::vector<std::string>& fields, size_t first, SDL_Event& e) {
    for (const EventKind& k : kKinds) {
        if (kind != k.name) continue;
        std::memset(&e, 0, sizeof e);
        Fields in{fields, first};
        return k.read(in, e);
    }
    return false;
}

}  // namespace journal
