#pragma once
// The skeletal animation set: one bone tree and a list of animations, each a chain of
// key frames giving every bone an offset, angle, scale, depth and graph number. Read and
// written in the VBA file format; edited in place by the content tools.
//
// The model is public so that a generator can build a set in code and save it:
//   auto v = std::make_shared<VBA>();
//   v->Father = std::make_unique<VBABone>(); v->NBones = 1; ...
//   v->Anim.push_back(...); v->NAnims = ...; v->SaveVBA("anim/pjs.vba");
// Playback (anim_state.h) relies on: bone IDs 0 .. NBones - 1 once each, at most 64 bones,
// a tree at most 64 levels deep, every key frame's Bones holding NBones states.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStream;

// The closing line printed after every fatal message of the set library.
inline constexpr const char* VBA_CLOSING_LINE = "KeoX Engine: VBA module abnormal termination";

// Stops the program with a message of the set library: throws GameError carrying the
// message and VBA_CLOSING_LINE; `main` shows both and exits with a non-zero code.
[[noreturn]] void VBAFatal(const std::string& message);

// Highest bone ID and depth limit of a set: playback keeps 64-level stacks.
inline constexpr int VBA_MAX_BONES = 64;
inline constexpr int VBA_MAX_DEPTH = 64;

// Sine and cosine at a tenth of a degree: entry i is sin / cos of i / 10 degrees.
// Filled once by InitTrigTables before any playback.
inline constexpr int TRIG_TABLE_SIZE = 3600;
extern float SinTable[TRIG_TABLE_SIZE];
extern float CosTable[TRIG_TABLE_SIZE];
void InitTrigTables();

// One bone's pose in one key frame.
class VBABoneState {
public:
    float X = 0;      // joint offset from the father's joint, px, in the father's turned frame
    float Y = 0;      // the same, y downwards
    float Angle = 0;  // degrees, added to the father's accumulated angle
    float Size = 1.0f;  // scale of this bone's picture only
    int32_t Z = 0;      // drawing depth: higher is drawn first (further back)
    int32_t Graph = 0;  // graph number in the figure's pack; 0 draws nothing of its own

    VBABoneState Copy() const { return *this; }
    bool operator==(const VBABoneState&) const = default;
};

// A key frame: one state per bone (indexed by bone ID) and the link to the next one.
class VBAFrame {
public:
    int32_t Duration = 0;              // ms to the next key frame at speed 1
    std::vector<VBABoneState> Bones;   // NBones entries
    std::unique_ptr<VBAFrame> NextFrame;  // owned; none for the last key frame

    VBAFrame() = default;
    // Releases the rest of the chain iteratively (chains can hold 65535 key frames).
    ~VBAFrame();
    VBAFrame(const VBAFrame&) = delete;
    VBAFrame& operator=(const VBAFrame&) = delete;

    // Same Duration and bone states, no next key frame.
    std::unique_ptr<VBAFrame> Copy() const;
};

class VBABone {
public:
    int32_t ID = 0;      // 0 .. 63; index into every key frame's Bones
    std::string Name;    // 8-bit characters, no byte 10 or 0
    int32_t Range1 = 1;  // kept with the bone and saved; unused by playback
    int32_t Range2 = 1;
    int32_t NSons = 0;
    std::vector<std::unique_ptr<VBABone>> Sons;  // in file and drawing-tie order
};

class VBAAnim {
public:
    int32_t NFrames = 0;
    std::unique_ptr<VBAFrame> Frames;  // first key frame; the rest via NextFrame
    int32_t Duration = 0;              // sum of the key frame durations (ms), set on load

    // Sum of the durations along the chain.
    int CountTime() const;
    // The key frame n places after the first; nullptr when the chain is shorter.
    VBAFrame* SearchFrame(int n) const;
    // Drops every key frame; NFrames 0, Frames none; Duration is left as it was.
    int ClearFrames();
    // Unlinks key frame n (0 = first), NFrames - 1; Duration is left as it was.
    int DelFrame(int n);
};
using VBAAnimPtr = std::shared_ptr<VBAAnim>;

class VBA {
public:
    int32_t NAnims = 0;
    float Height = 0;  // kept with the set, saved as 16 bits; unused by playback
    int32_t NBones = 0;
    std::unique_ptr<VBABone> Father;  // root of the tree, none while the set is empty
    // Numbered from 0. May be longer than NAnims after DeleteAnim (the last place keeps
    // its old reference); only the first NAnims are animations of the set.
    std::vector<VBAAnimPtr> Anim;

    // Reads a set file (versions 0-2). Any failure stops the program through VBAFatal.
    static std::shared_ptr<VBA> LoadVBA(const std::string& path);
    // The same from an open stream; path only names the file in messages.
    static std::shared_ptr<VBA> LoadVBA(TStream& stream, const std::string& path);
    // Writes version 2; "Could not create VBA " + path when the file cannot be made.
    int SaveVBA(const std::string& path) const;

    // The bone with that ID (root first, then depth-first pre-order); nullptr when
    // id >= NBones or there is no root.
    VBABone* SearchBone(int id) const;
    // The bone that has a son with that ID; nullptr for the root's ID.
    VBABone* SearchBoneFather(int id) const;
    // 0 deleted, 1 not found, 2 refused (two or more sons). Renumbers the bones below the
    // root, shrinks every key frame's Bones and shifts Z values above id down by one.
    int DeleteBone(int id);
    // Adds delta to every bone ID >= from below the root (the root keeps its ID).
    int ShiftIDs(int from, int delta);
    // Clears animation n and moves the later ones down; the table keeps its length.
    int DeleteAnim(int n);
    // Inserts a new empty animation at place n (at the end when n is past NAnims).
    int InsertAnim(int n);
    // Drops animations and bones. Counts are not reset; the set is not used afterwards.
    int Unload();
};
using VBAPtr = std::shared_ptr<VBA>;
