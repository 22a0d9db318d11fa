#pragma once
// Shared pieces of the pack readers and writers (VGP, FPG, grid and pixmap packs).
#include "vgp.h"

#include "platform/base/stream.h"
#include "platform/pixels/pixmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace packio {

// What a record declares, checked against the limits and the bytes left in the file
// before anything is allocated.
struct RecordShape {
    int64_t number = 0;
    int64_t w = 0, h = 0;
    int64_t points = 0;
};

// True when the record fits: number 0 .. VGP_MAX_GRAPH, sides 1 .. VGP_MAX_SIDE, at most
// 16M pixels, and its points and pixels (pixelBytes each) within the bytes left.
bool RecordFits(const RecordShape& r, int64_t left, int pixelBytes);

// Bytes left between the stream's position and its end.
inline int64_t Left(TStream& s, int64_t end) { return end - s.Pos(); }

// Every pack file is a run of pixmap records: a head (number, bytes this reader has no
// use for, W, H, the count of control points), the points (X, Y as 16-bit), then W x H
// pixels. Reads a record's head, skipping `skip` bytes after the number; with `name`, the
// last 12 of those are read into it as a fixed string. Fatal "Bad record reading " + what
// unless the record fits (RecordFits, pixelBytes a pixel) in the bytes left before end.
RecordShape ReadRecordHead(TStream& s, int64_t end, int skip, int pixelBytes, const std::string& what,
                           std::string* name = nullptr);
// Pixels of w x h, rows top to bottom, decoded into a pixmap.
using PixelDecoder = void (*)(TStream& s, TPixmap& pm, int w, int h, std::vector<uint8_t>& buf);
// The rest of a record whose head is r, as a graph: its points, its pixels decoded into
// frame 0 of a new image made with flags, the handle set (SetGraphHandle). Fatal "Bad
// record reading " + what when the image cannot be made.
TGraphPtr ReadRecordGraph(TStream& s, const RecordShape& r, int flags, PixelDecoder decode,
                          std::vector<uint8_t>& buf, const std::string& what);

// Reads 16-bit unsigned control points (X then Y).
void ReadPoints(TStream& s, TGraph& g, int count);
// Handle at the first control point, or the integer centre.
void SetGraphHandle(const TGraph& g);
// A graph of w x h with a blank one-frame image; nullptr when the image cannot be made.
TGraphPtr NewGraph(int w, int h, int flags);

// Pixels stored as alpha, red, green, blue bytes, rows top to bottom.
void ReadArgb(TStream& s, TPixmap& pm, int w, int h, std::vector<uint8_t>& buf);
// 16-bit 5-6-5 colours, every pixel opaque.
void Read565(TStream& s, TPixmap& pm, int w, int h, std::vector<uint8_t>& buf);
uint32_t Colour565(uint16_t m);
// Writes w x h pixels of frame 0 as alpha, red, green, blue; zeroAlpha0: pixels of
// alpha 0 go out as four zero bytes.
void WriteArgb(TStream& s, const TGraph& g, bool zeroAlpha0);

// Checks "f16", 26, 13, 10, 0 and skips the version byte; false on the first mismatch.
bool ReadFPGHeader(TStream& s);
// The folder of path followed by "/" ("/" alone when path has no folder).
std::string FolderOf(const std::string& path);

// Opens path and hands the stream to load, closing it after; fatal "<kind> <path> not
// found" when it cannot be opened.
template <class Load>
auto LoadFile(const std::string& kind, const std::string& path, Load load) {
    TStreamPtr s = ReadStream(path);
    if (!s) VGPFatal(kind + " " + path + " not found");
    auto p = load(*s);
    s->Close();
    return p;
}

// Reads a VGP file's header and records into p (p.VFlags already set); slots are left
// as the file fills them.
void ReadPackRecords(TStream& s, const std::string& path, VGP& p);
// Writes the header and the records of slots first .. Size - 1 (EmptyGraph and empty
// slots skipped); "Impossible to write VGP " + path when the file cannot be made.
int SavePackRecords(const VGP& p, const std::string& path, int first, bool zeroAlpha0);
// Fills `into` with a deep copy of src (EmptyGraph shared) and returns it.
std::shared_ptr<VGP> CopyPack(const VGP& src, std::shared_ptr<VGP> into);

// Every empty slot of [from, to) reads as EmptyGraph (work in proportion to the graphs
// stored, not to the slots).
void FillEmpty(VGP& p, int from, int to);
// Grows the table to n + 1 slots when needed (nothing is stored for the new ones).
void GrowTo(VGP& p, int n);

}  // namespace packio
