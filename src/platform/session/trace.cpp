// The rig's trace: lines built in one string each, numbers written with to_chars, so that
// tracing every drawing call costs little.
#include "platform/session/trace.h"

#include "platform/base/errors.h"
#include "platform/base/text.h"
#include "platform/session/run.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <type_traits>

namespace rig {
namespace {

struct TraceState {
    std::FILE* file = nullptr;
    bool capture = false;
    std::vector<std::string> captured;
};
TraceState tr;

void WriteTraceLine(const std::string& line) {
    if (tr.file) {
        std::fwrite(line.data(), 1, line.size(), tr.file);
        std::fputc('\n', tr.file);
    }
    if (tr.capture) tr.captured.push_back(line);
}

// A trace line is built in one string: its parts are appended to it.
void AppendJson(std::string& out, double v) {
    if (std::isnan(v)) {
        out += "null";
        return;
    }
    if (std::isinf(v)) {
        out += v > 0 ? "1e999" : "-1e999";
        return;
    }
    // Whole numbers as integers, the rest as printf's %.6g would write them.
    char buf[32];
    std::to_chars_result done;
    if (v == std::trunc(v) && std::fabs(v) < 1e15) {
        done = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
    } else {
        done = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    }
    out.append(buf, done.ptr);
}


void AppendInt(std::string& out, long long v) {
    char buf[24];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// Numbers as the single-number fields write them, between brackets.
template <typename Number>
void AppendList(std::string& out, std::initializer_list<Number> values) {
    out += '[';
    const char* sep = "";
    for (Number v : values) {
        out += sep;
        if constexpr (std::is_integral_v<Number>)
            AppendInt(out, v);
        else
            AppendJson(out, v);
        sep = ",";
    }
    out += ']';
}

// The text of the last finished line, kept for its room: a flip traces a hundred lines
// or more, and the next one is built in it without asking for memory.
thread_local std::string spareBody;
}  // namespace

void OpenTrace(const std::string& path) {
    if (tr.file) std::fclose(tr.file);
    tr.file = std::fopen(path.c_str(), "wb");
    if (!tr.file) throw GameError("No se puede escribir la traza " + path);
}

void ResetTrace() {
    if (tr.file) std::fclose(tr.file);
    tr.file = nullptr;
    tr.captured.clear();
}

bool Tracing() { return tr.file != nullptr || tr.capture; }

void CaptureTrace(bool on) {
    tr.capture = on;
    tr.captured.clear();
}

std::vector<std::string>& CapturedTrace() { return tr.captured; }

std::string Json(double v) {
    std::string out;
    AppendJson(out, v);
    return out;
}

std::string JsonString(const std::string& s) {
    std::string out;
    AppendJsonString(out, s);
    return out;
}

Record::Record(const char* op) : body(std::move(spareBody)) {
    body.clear();
    body.reserve(320);
    body += "{\"flip\":";
    AppendInt(body, session::FlipCount() + 1);
    body += ",\"op\":";
    AppendJsonString(body, op);
}
Record& Record::key(const char* name) {
    body += ',';
    AppendJsonString(body, name);
    body += ':';
    return *this;
}
Record& Record::add(const char* name, const std::string& value) {
    AppendJsonString(key(name).body, value);
    return *this;
}
Record& Record::add(const char* name, double value) {
    AppendJson(key(name).body, value);
    return *this;
}
Record& Record::add(const char* name, int value) {
    AppendInt(key(name).body, value);
    return *this;
}
Record& Record::addRaw(const char* name, const std::string& json) {
    key(name).body += json;
    return *this;
}
Record& Record::addList(const char* name, std::initializer_list<double> values) {
    AppendList(key(name).body, values);
    return *this;
}
Record& Record::addList(const char* name, std::initializer_list<int> values) {
    AppendList(key(name).body, values);
    return *this;
}
Record::~Record() {
    if (body.capacity() > spareBody.capacity()) spareBody = std::move(body);
}
namespace {
bool hushed = false;
}
void Hush(bool on) { hushed = on; }

void Record::emit() {
    if (!Tracing() || hushed) return;
    body += '}';
    WriteTraceLine(body);
}

}  // namespace rig
