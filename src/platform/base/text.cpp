#include "platform/base/text.h"

#include "platform/base/errors.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

int StrToInt(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > static_cast<int64_t>(INT_MAX) + 1) value = static_cast<int64_t>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

std::vector<uint16_t> ToCodePoints(const std::string& utf8) {
    std::vector<uint16_t> out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        uint32_t cp = '?';
        size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size() && (utf8[i + 1] & 0xC0) == 0x80) {
            cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
        }
        out.push_back(static_cast<uint16_t>(cp <= 0xFF ? cp : '?'));
        i += len;
    }
    return out;
}

std::string Latin1ToUtf8(const std::string& latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string NativePath(const std::string& path) {
    std::string out = path;
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

int ParseWholeNumber(const std::string& text, const std::string& context) {
    if (text.empty()) throw GameError("Valor vacio en " + context);
    size_t used = 0;
    long v = 0;
    try {
        v = std::stol(text, &used);
    } catch (...) {
        throw GameError("Numero no valido en " + context + ": " + text);
    }
    if (used != text.size()) throw GameError("Numero no valido en " + context + ": " + text);
    return static_cast<int>(v);
}

std::string AsciiLower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

void AppendJsonString(std::string& out, std::string_view s, JsonText text) {
    const bool latin1 = text == JsonText::Latin1;
    out += '"';
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (!latin1 && c == '\n') {
            out += "\\n";
        } else if (!latin1 && c == '\r') {
            out += "\\r";
        } else if (!latin1 && c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || (latin1 && c > 126)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

std::string Printable(std::string_view text, size_t max) {
    std::string out;
    const bool cut = text.size() > max;
    if (cut) text = text.substr(0, max);
    out.reserve(text.size());
    auto hex = [&](unsigned char c) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02x", c);
        out += buf;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c < 0x20 || c == 0x7f) {
            hex(c);
        } else if (c == 0xc2 && next >= 0x80 && next <= 0x9f) {
            hex(c);
            hex(next);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    if (cut) out += "...";
    return out;
}
