#pragma once
// Helpers to write pack and FPG files byte by byte and to build packs in code.
#include "platform/base/errors.h"
#include "vba/set_builder.h"
#include "vgp/vgp.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace testvgp {

using testvba::Bytes;
using testvba::ReadFile;
using testvba::WorkPath;

// A VGP record: number, W x H pixels given as 0xAARRGGBB, control points.
inline Bytes& VGPRecord(Bytes& b, int n, int w, int h, const std::vector<TPoint>& cps,
                        const std::vector<uint32_t>& argb) {
    b.i32(n).i32(w * h * 4).i32(w).i32(h).i32(static_cast<int>(cps.size()));
    for (const TPoint& p : cps) b.u16(p.X).u16(p.Y);
    for (int i = 0; i < w * h; i++) {
        const uint32_t c = i < static_cast<int>(argb.size()) ? argb[i] : 0xFF808080u;
        b.u8(c >> 24).u8((c >> 16) & 255).u8((c >> 8) & 255).u8(c & 255);
    }
    return b;
}

inline Bytes VGPHeader() {
    Bytes b;
    b.str("VGP").u8(1);
    return b;
}

inline Bytes FPGHeader() {
    Bytes b;
    b.str("f16").u8(26).u8(13).u8(10).u8(0).u8(1);
    return b;
}

// An FPG record: code, file name field (12 bytes), W x H 16-bit colours, control points.
inline Bytes& FPGRecord(Bytes& b, int code, const std::string& name, int w, int h,
                        const std::vector<TPoint>& cps, const std::vector<uint16_t>& colours) {
    b.i32(code).i32(64 + w * h * 2);
    for (int i = 0; i < 32; i++) b.u8('d');
    std::string field = name;
    field.resize(12, '\0');
    b.str(field).i32(w).i32(h).i32(static_cast<int>(cps.size()));
    for (const TPoint& p : cps) b.u16(p.X).u16(p.Y);
    for (int i = 0; i < w * h; i++) b.u16(i < static_cast<int>(colours.size()) ? colours[i] : 0x1234);
    return b;
}

// The message of the GameError f throws, checking the pack library's closing line.
inline std::string FatalOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const GameError& e) {
        EXPECT_EQ(e.closingLine(), "KeoX_net VGP module abnormal termination");
        return e.what();
    }
    ADD_FAILURE() << "no fatal error";
    return {};
}

inline uint32_t Pixel(const TGraph& g, int x, int y) {
    TPixmapPtr pm = LockImage(g.I, 0, true, false);
    const uint32_t c = pm ? pm->ReadPixel(x, y) : 0xDEADBEEF;
    UnlockImage(g.I, 0);
    return c;
}

inline void SetPixel(TGraph& g, int x, int y, uint32_t c) {
    TPixmapPtr pm = LockImage(g.I, 0, true, true);
    pm->WritePixel(x, y, c);
    UnlockImage(g.I, 0);
}

// A graph of its own with a fresh image, all pixels c.
inline TGraphPtr MakeGraph(int w, int h, std::vector<TPoint> cps, uint32_t c, int flags = DYNAMICIMAGE) {
    auto g = TGraph::Create();
    g->W = w;
    g->H = h;
    g->CPs = static_cast<int>(cps.size());
    g->CP = std::move(cps);
    g->I = CreateImage(w, h, 1, flags);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) SetPixel(*g, x, y, c);
    return g;
}

}  // namespace testvgp
