#pragma once
// File streams. Multi-byte values are little-endian; reads past the end yield zero bytes
// (and set Eof), writes to a failed stream are dropped.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class TStream {
public:
    ~TStream();
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    bool Eof() const;
    // True when a read since opening (or the last Seek) asked for bytes past the end:
    // the file is shorter than its contents said.
    bool Overran() const { return overran; }
    int64_t Pos() const;
    int64_t Size() const;
    void Seek(int64_t pos);

    uint8_t ReadByte();
    int16_t ReadShort();
    int32_t ReadInt();
    float ReadFloat();
    // Bytes up to LF, NUL or end of file; CR dropped.
    std::string ReadLine();
    // Exactly n bytes (zero bytes past the end).
    std::string ReadString(size_t n);
    // Reads up to n bytes into dst; returns how many were real.
    size_t ReadBytes(void* dst, size_t n);

    void WriteByte(uint8_t v);
    void WriteShort(int16_t v);
    void WriteInt(int32_t v);
    void WriteFloat(float v);
    // Writes the bytes then CR LF.
    void WriteLine(const std::string& s);
    void WriteString(const std::string& s);
    void WriteBytes(const void* src, size_t n);

    void Close();

    static std::unique_ptr<TStream> OpenRead(const std::string& path);
    static std::unique_ptr<TStream> OpenWrite(const std::string& path);
    // A read stream over bytes in memory (fuzzing, tests).
    static std::unique_ptr<TStream> FromMemory(std::string bytes);

private:
    TStream() = default;
    std::FILE* file = nullptr;
    std::string memory;
    bool inMemory = false;
    int64_t memPos = 0;
    bool eof = false;
    bool overran = false;
};
using TStreamPtr = std::unique_ptr<TStream>;

// nullptr when the file cannot be opened.
inline TStreamPtr ReadStream(const std::string& path) { return TStream::OpenRead(path); }
inline TStreamPtr WriteStream(const std::string& path) { return TStream::OpenWrite(path); }
// Creates (truncates) a file; false on failure.
bool CreateFile(const std::string& path);
bool FileExists(const std::string& path);
