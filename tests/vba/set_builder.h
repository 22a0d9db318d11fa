#pragma once
// Small helpers to build animation sets in code and set files byte by byte.
#include "vba/vba.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace testvba {

inline std::string WorkPath(const std::string& name) { return std::string(FK_TEST_WORK) + "/" + name; }

// Bytes of a file under construction, little-endian.
struct Bytes {
    std::string b;
    Bytes& u8(int v) { b.push_back(static_cast<char>(v)); return *this; }
    Bytes& u16(int v) { u8(v & 255); return u8((v >> 8) & 255); }
    Bytes& i32(int32_t v) {
        for (int i = 0; i < 4; i++) u8((static_cast<uint32_t>(v) >> (8 * i)) & 255);
        return *this;
    }
    Bytes& f32(float f) {
        uint32_t u;
        std::memcpy(&u, &f, 4);
        return i32(static_cast<int32_t>(u));
    }
    Bytes& str(const std::string& s) { b += s; return *this; }
    void save(const std::string& path) const { std::ofstream(path, std::ios::binary) << b; }
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline std::unique_ptr<VBABone> Bone(int id, const std::string& name = "") {
    auto b = std::make_unique<VBABone>();
    b->ID = id;
    b->Name = name;
    return b;
}

inline VBABone* AddSon(VBABone& father, int id, const std::string& name = "") {
    father.Sons.push_back(Bone(id, name));
    father.NSons++;
    return father.Sons.back().get();
}

// A key frame of the given duration and states.
inline std::unique_ptr<VBAFrame> Frame(int duration, std::vector<VBABoneState> states) {
    auto f = std::make_unique<VBAFrame>();
    f->Duration = duration;
    f->Bones = std::move(states);
    return f;
}

// Appends an animation made of the given key frames to the set.
inline VBAAnim& AddAnim(VBA& v, std::vector<std::unique_ptr<VBAFrame>> frames) {
    auto a = std::make_shared<VBAAnim>();
    std::unique_ptr<VBAFrame>* link = &a->Frames;
    for (auto& f : frames) {
        a->Duration += f->Duration;
        a->NFrames++;
        *link = std::move(f);
        link = &(*link)->NextFrame;
    }
    v.Anim.push_back(a);
    v.NAnims++;
    return *a;
}

inline VBABoneState State(float x, float y, float angle, int z = 0, int graph = 0, float size = 1.0f) {
    VBABoneState s;
    s.X = x;
    s.Y = y;
    s.Angle = angle;
    s.Z = z;
    s.Graph = graph;
    s.Size = size;
    return s;
}

// Frames helper: builds a vector of unique_ptr from a braced list.
inline std::vector<std::unique_ptr<VBAFrame>> Frames(std::initializer_list<std::pair<int, std::vector<VBABoneState>>> list) {
    std::vector<std::unique_ptr<VBAFrame>> out;
    for (const auto& [d, s] : list) out.push_back(Frame(d, s));
    return out;
}

// A set with a root only (ID 0).
inline VBAPtr RootOnly() {
    auto v = std::make_shared<VBA>();
    v->Father = Bone(0, "root");
    v->NBones = 1;
    return v;
}

}  // namespace testvba
