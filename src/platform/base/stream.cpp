// File and memory streams. Multi-byte values are little-endian whatever the machine;
// missing bytes read as zero.
#include "platform/base/stream.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

TStream::~TStream() { Close(); }

bool TStream::Eof() const {
    if (eof) return true;
    if (inMemory) return memPos >= static_cast<int64_t>(memory.size());
    if (!file) return true;
    return Pos() >= Size();
}

int64_t TStream::Pos() const {
    if (inMemory) return memPos;
    if (!file) return 0;
    long p = std::ftell(file);
    return p < 0 ? 0 : p;
}

int64_t TStream::Size() const {
    if (inMemory) return static_cast<int64_t>(memory.size());
    if (!file) return 0;
    long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
    long size = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return size < 0 ? 0 : size;
}

void TStream::Seek(int64_t pos) {
    eof = false;
    overran = false;
    if (pos < 0) pos = 0;
    if (inMemory) {
        memPos = std::min<int64_t>(pos, static_cast<int64_t>(memory.size()));
    } else if (file) {
        std::fseek(file, static_cast<long>(pos), SEEK_SET);
    }
}

size_t TStream::ReadBytes(void* dst, size_t n) {
    if (n == 0) return 0;
    size_t got = 0;
    if (inMemory) {
        size_t left = memory.size() - static_cast<size_t>(memPos);
        got = n < left ? n : left;
        std::memcpy(dst, memory.data() + memPos, got);
        memPos += static_cast<int64_t>(got);
    } else if (file) {
        got = std::fread(dst, 1, n, file);
    }
    if (got < n) {
        std::memset(static_cast<uint8_t*>(dst) + got, 0, n - got);
        eof = true;
        overran = true;
    }
    return got;
}

uint8_t TStream::ReadByte() {
    uint8_t b = 0;
    ReadBytes(&b, 1);
    return b;
}

int16_t TStream::ReadShort() {
    uint8_t b[2];
    ReadBytes(b, 2);
    return static_cast<int16_t>(b[0] | (b[1] << 8));
}

int32_t TStream::ReadInt() {
    uint8_t b[4];
    ReadBytes(b, 4);
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

float TStream::ReadFloat() {
    uint32_t u = static_cast<uint32_t>(ReadInt());
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

std::string TStream::ReadLine() {
    std::string line;
    for (;;) {
        uint8_t b = 0;
        if (ReadBytes(&b, 1) == 0) break;
        if (b == '\n' || b == 0) break;
        if (b != '\r') line.push_back(static_cast<char>(b));
    }
    return line;
}

std::string TStream::ReadString(size_t n) {
    std::string s;
    // Grow in pieces, so a hostile length costs no more than the bytes that exist.
    constexpr size_t kPiece = 65536;
    while (n > 0) {
        size_t part = n < kPiece ? n : kPiece;
        size_t at = s.size();
        s.resize(at + part);
        size_t got = ReadBytes(s.data() + at, part);
        n -= part;
        if (got < part) {
            s.append(n, '\0');  // the rest is past the end: zero bytes
            break;
        }
    }
    return s;
}

void TStream::WriteBytes(const void* src, size_t n) {
    if (!file || inMemory || n == 0) return;
    std::fwrite(src, 1, n, file);
}

void TStream::WriteByte(uint8_t v) { WriteBytes(&v, 1); }

void TStream::WriteShort(int16_t v) {
    auto u = static_cast<uint16_t>(v);
    uint8_t b[2] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)};
    WriteBytes(b, 2);
}

void TStream::WriteInt(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                    static_cast<uint8_t>(u >> 24)};
    WriteBytes(b, 4);
}

void TStream::WriteFloat(float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    WriteInt(static_cast<int32_t>(u));
}

void TStream::WriteLine(const std::string& s) {
    WriteBytes(s.data(), s.size());
    WriteBytes("\r\n", 2);
}

void TStream::WriteString(const std::string& s) { WriteBytes(s.data(), s.size()); }

void TStream::Close() {
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    memory.clear();
    memPos = 0;
    inMemory = false;
    eof = true;
}

std::unique_ptr<TStream> TStream::OpenRead(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return nullptr;
    std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
    if (!f) return nullptr;
    std::unique_ptr<TStream> s(new TStream());
    s->file = f;
    return s;
}

// Opening for writing starts the file afresh.
std::unique_ptr<TStream> TStream::OpenWrite(const std::string& path) {
    std::FILE* f = std::fopen(NativePath(path).c_str(), "wb");
    if (!f) return nullptr;
    std::unique_ptr<TStream> s(new TStream());
    s->file = f;
    return s;
}

std::unique_ptr<TStream> TStream::FromMemory(std::string bytes) {
    std::unique_ptr<TStream> s(new TStream());
    s->memory = std::move(bytes);
    s->inMemory = true;
    return s;
}

bool CreateFile(const std::string& path) {
    std::FILE* f = std::fopen(NativePath(path).c_str(), "wb");
    if (!f) return false;
    return std::fclose(f) == 0;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}
