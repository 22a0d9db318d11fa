#include "platform/base/stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

std::string WorkPath(const std::string& name) { return std::string(FK_TEST_WORK) + "/stream_test_" + name; }

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(Stream, EveryTypeRoundTripsLittleEndian) {
    const std::string path = WorkPath("types.bin");
    {
        auto w = WriteStream(path);
        ASSERT_TRUE(w);
        w->WriteInt(0x01020304);
        w->WriteShort(0x0506);
        w->WriteByte(0xFF);
        w->WriteShort(-32768);
        w->WriteInt(std::numeric_limits<int32_t>::min());
        w->WriteInt(-1);
        w->WriteFloat(1.5f);
        w->WriteFloat(-0.0f);
        w->WriteFloat(std::numeric_limits<float>::infinity());
        w->WriteFloat(1e-40f);  // denormal
        w->WriteString("abc");
        w->WriteLine("línea");
        w->WriteBytes("\0\1", 2);
    }
    const std::string bytes = FileBytes(path);
    EXPECT_EQ(bytes.substr(0, 7), std::string("\x04\x03\x02\x01\x06\x05\xff", 7));
    EXPECT_EQ(bytes.substr(bytes.size() - 13), std::string("abcl\xc3\xadnea\r\n\0\1", 13));

    auto r = ReadStream(path);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Size(), static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(r->ReadInt(), 0x01020304);
    EXPECT_EQ(r->ReadShort(), 0x0506);
    EXPECT_EQ(r->ReadByte(), 0xFF);
    EXPECT_EQ(r->ReadShort(), -32768);
    EXPECT_EQ(r->ReadInt(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(r->ReadInt(), -1);
    EXPECT_EQ(r->ReadFloat(), 1.5f);
    float nz = r->ReadFloat();
    EXPECT_TRUE(nz == 0.0f && std::signbit(nz));
    EXPECT_EQ(r->ReadFloat(), std::numeric_limits<float>::infinity());
    EXPECT_EQ(r->ReadFloat(), 1e-40f);
    EXPECT_EQ(r->ReadString(3), "abc");
    EXPECT_EQ(r->ReadLine(), "línea");
    EXPECT_FALSE(r->Eof());
    char two[2];
    EXPECT_EQ(r->ReadBytes(two, 2), 2u);
    EXPECT_EQ(std::string(two, 2), std::string("\0\1", 2));
    EXPECT_TRUE(r->Eof());
}

TEST(Stream, ReadsPastTheEndGiveZerosAndEof) {
    auto s = TStream::FromMemory(std::string("\x11\x22\x33", 3));
    EXPECT_FALSE(s->Eof());
    EXPECT_EQ(s->ReadInt(), 0x00332211);  // the missing byte reads as zero
    EXPECT_TRUE(s->Eof());
    EXPECT_EQ(s->ReadShort(), 0);
    EXPECT_EQ(s->ReadByte(), 0);
    EXPECT_EQ(s->ReadFloat(), 0.0f);
    EXPECT_EQ(s->ReadString(4), std::string(4, '\0'));
    EXPECT_EQ(s->ReadLine(), "");

    s->Seek(1);
    EXPECT_FALSE(s->Eof());
    EXPECT_EQ(s->Pos(), 1);
    char buf[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(s->ReadBytes(buf, 5), 2u);
    EXPECT_EQ(std::string(buf, 5), std::string("\x22\x33\0\0\0", 5));
    s->Seek(99);
    EXPECT_EQ(s->Pos(), 3);

    // The same from a file.
    const std::string path = WorkPath("short.bin");
    {
        auto w = WriteStream(path);
        w->WriteByte(7);
    }
    auto f = ReadStream(path);
    EXPECT_EQ(f->ReadShort(), 7);
    EXPECT_TRUE(f->Eof());
    EXPECT_EQ(f->ReadInt(), 0);

    // A closed stream reads zeros and drops writes.
    f->Close();
    EXPECT_TRUE(f->Eof());
    EXPECT_EQ(f->ReadInt(), 0);
    f->WriteInt(5);
}

TEST(Stream, ReadLineStopsAtLfNulOrEndAndDropsCr) {
    auto s = TStream::FromMemory(std::string("uno\r\ndos\ntres\0cu\rat\r\r\n\n\r\nfin", 29));
    EXPECT_EQ(s->ReadLine(), "uno");
    EXPECT_EQ(s->ReadLine(), "dos");
    EXPECT_EQ(s->ReadLine(), "tres");
    EXPECT_EQ(s->ReadLine(), "cuat");
    EXPECT_EQ(s->ReadLine(), "");
    EXPECT_EQ(s->ReadLine(), "");
    EXPECT_FALSE(s->Eof());
    EXPECT_EQ(s->ReadLine(), "fin");  // last line without an end
    EXPECT_TRUE(s->Eof());
    EXPECT_EQ(s->ReadLine(), "");
}

TEST(Stream, FilesOpenCreateAndTruncate) {
    const std::string path = WorkPath("trunc.txt");
    {
        auto w = WriteStream(path);
        w->WriteLine("1024x768 and a long tail");
    }
    {
        auto w = WriteStream(path);  // opening for writing starts afresh
        w->WriteString("ab");
    }
    EXPECT_EQ(FileBytes(path), "ab");
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(CreateFile(path));
    EXPECT_EQ(FileBytes(path), "");
    EXPECT_TRUE(FileExists(path));

    EXPECT_FALSE(ReadStream(WorkPath("missing.txt")));
    EXPECT_FALSE(FileExists(WorkPath("missing.txt")));
    EXPECT_FALSE(ReadStream(FK_TEST_WORK));  // a directory is no file
    EXPECT_FALSE(FileExists(FK_TEST_WORK));
    EXPECT_FALSE(WriteStream(WorkPath("no/such/dir.txt")));
    EXPECT_FALSE(CreateFile(WorkPath("no/such/dir.txt")));
}
