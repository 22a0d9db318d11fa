// The animation set: file reader and writer, editing operations, trig tables.
#include "vba.h"

#include "platform/base/errors.h"
#include "platform/base/file_report.h"
#include "platform/base/stream.h"

#include <cmath>
#include <cstdint>
#include <numbers>

float SinTable[TRIG_TABLE_SIZE];
float CosTable[TRIG_TABLE_SIZE];

void InitTrigTables() {
    for (int i = 0; i < TRIG_TABLE_SIZE; i++) {
        const double rad = (i / 10.0) * std::numbers::pi / 180.0;
        SinTable[i] = static_cast<float>(std::sin(rad));
        CosTable[i] = static_cast<float>(std::cos(rad));
    }
}

void VBAFatal(const std::string& message) { throw GameError(message, VBA_CLOSING_LINE, /*notice=*/true, /*lineEnd=*/true); }

namespace {

// Low 16 bits of a float truncated toward zero; values no int can hold give 0.
uint16_t Low16(float v) {
    if (!(std::fabs(v) < 2147483648.0f)) return 0;
    return static_cast<uint16_t>(static_cast<int64_t>(v) & 0xFFFF);
}

uint16_t ReadU16(TStream& s) { return static_cast<uint16_t>(s.ReadShort()); }

}  // namespace

// ---------------------------------------------------------------------------------------
// Key frames and animations

VBAFrame::~VBAFrame() {
    std::unique_ptr<VBAFrame> next = std::move(NextFrame);
    while (next) next = std::move(next->NextFrame);
}

std::unique_ptr<VBAFrame> VBAFrame::Copy() const {
    auto f = std::make_unique<VBAFrame>();
    f->Duration = Duration;
    f->Bones = Bones;
    return f;
}

int VBAAnim::CountTime() const {
    int64_t t = 0;
    for (const VBAFrame* f = Frames.get(); f; f = f->NextFrame.get()) t += f->Duration;
    return static_cast<int>(t);
}

VBAFrame* VBAAnim::SearchFrame(int n) const {
    if (n < 0) return nullptr;
    VBAFrame* f = Frames.get();
    for (int i = 0; i < n && f; i++) f = f->NextFrame.get();
    return f;
}

int VBAAnim::ClearFrames() {
    Frames.reset();
    NFrames = 0;
    return 0;
}

int VBAAnim::DelFrame(int n) {
    if (n < 0 || !Frames) return 0;
    std::unique_ptr<VBAFrame>* link = &Frames;
    for (int i = 0; i < n; i++) {
        if (!(*link)->NextFrame) return 0;
        link = &(*link)->NextFrame;
    }
    std::unique_ptr<VBAFrame> gone = std::move(*link);
    *link = std::move(gone->NextFrame);
    NFrames--;
    return 0;
}

// ---------------------------------------------------------------------------------------
// Reading

VBAPtr VBA::LoadVBA(const std::string& path) {
    TStreamPtr s = ReadStream(path);
    if (!s) VBAFatal("VBA " + path + " not found");
    VBAPtr v = LoadVBA(*s, path);
    s->Close();
    return v;
}

VBAPtr VBA::LoadVBA(TStream& s, const std::string& path) {
    const std::string badFormat = "VBA " + path + " bad file format";
    static const char magic1[] = "k.n";
    static const char magic2[] = "vba";
    for (int i = 0; i < 3; i++)
        if (s.ReadByte() != static_cast<uint8_t>(magic1[i])) VBAFatal(badFormat);
    const int version = s.ReadByte();
    if (version > 2) VBAFatal("VBA " + path + " wrong version");
    for (int i = 0; i < 3; i++)
        if (s.ReadByte() != static_cast<uint8_t>(magic2[i])) VBAFatal(badFormat);

    auto v = std::make_shared<VBA>();
    v->Height = static_cast<float>(ReadU16(s));

    // Bone tree. Playback indexes key frame states by ID and walks with 64-level stacks
    // and byte-sized son counters, so IDs must be 0 .. NBones - 1 once each and the tree
    // at most 64 levels deep.
    uint64_t seen = 0;
    auto readBone = [&](int id) {
        if (id > VBA_MAX_BONES - 1 || (seen >> id) & 1) VBAFatal(badFormat);
        seen |= uint64_t{1} << id;
        auto b = std::make_unique<VBABone>();
        b->ID = id;
        b->Name = s.ReadLine();
        b->Range1 = ReadU16(s);
        b->Range2 = ReadU16(s);
        v->NBones++;
        return b;
    };
    v->Father = readBone(s.ReadByte());
    VBABone* open[VBA_MAX_DEPTH + 1] = {v->Father.get()};
    int level = 0;
    while (level >= 0) {
        const int b = s.ReadByte();
        if (b == 255) {
            level--;
            continue;
        }
        if (level + 1 >= VBA_MAX_DEPTH) VBAFatal(badFormat);
        VBABone* father = open[level];
        if (father->NSons >= 255) VBAFatal(badFormat);
        father->Sons.push_back(readBone(b));
        father->NSons++;
        open[++level] = father->Sons.back().get();
    }
    // With distinct IDs below 64, covering 0 .. NBones - 1 means no ID is NBones or more.
    if (v->NBones < 64 && (seen >> v->NBones) != 0) VBAFatal(badFormat);

    // Animations to the end of the file. A count the rest of the file cannot hold is
    // refused; only the last key frame may be cut short (it reads as zeros).
    const int stateBytes = version == 2 ? 20 : 16;
    const int64_t frameBytes = 2 + int64_t{v->NBones} * stateBytes;
    while (s.Pos() < s.Size()) {
        auto a = std::make_shared<VBAAnim>();
        a->NFrames = ReadU16(s);
        const int64_t frames = a->NFrames > 0 ? a->NFrames : 1;
        if ((frames - 1) * frameBytes >= s.Size() - s.Pos() && frames > 1) VBAFatal(badFormat);
        std::unique_ptr<VBAFrame>* link = &a->Frames;
        for (int64_t i = 0; i < frames; i++) {
            auto f = std::make_unique<VBAFrame>();
            f->Duration = ReadU16(s);
            a->Duration += f->Duration;
            f->Bones.resize(v->NBones);
            for (VBABoneState& st : f->Bones) {
                st.X = s.ReadFloat();
                st.Y = s.ReadFloat();
                st.Angle = s.ReadFloat();
                st.Z = ReadU16(s);
                st.Size = version == 2 ? s.ReadFloat() : 1.0f;
                st.Graph = ReadU16(s);
            }
            *link = std::move(f);
            link = &(*link)->NextFrame;
        }
        v->Anim.push_back(std::move(a));
        v->NAnims++;
    }
    // The set still plays (the cut key frame reads as zeros), but the player should
    // know why a figure looks wrong.
    if (s.Overran()) {
        const std::string where =
            v->NAnims > 0 ? "inside animation " + std::to_string(v->NAnims - 1) : "before its animations";
        ReportBadFile(path, "animation set cut short " + where + " (" + std::to_string(s.Size()) + " bytes)");
    }
    return v;
}

// ---------------------------------------------------------------------------------------
// Writing

int VBA::SaveVBA(const std::string& path) const {
    TStreamPtr s = WriteStream(path);
    if (!s) VBAFatal("Could not create VBA " + path);
    s->WriteString("k.n");
    s->WriteByte(2);
    s->WriteString("vba");
    s->WriteShort(static_cast<int16_t>(Low16(Height)));

    auto writeBone = [&](const VBABone& b) {
        s->WriteByte(static_cast<uint8_t>(b.ID));
        s->WriteLine(b.Name);
        s->WriteShort(static_cast<int16_t>(b.Range1 & 0xFFFF));
        s->WriteShort(static_cast<int16_t>(b.Range2 & 0xFFFF));
    };
    if (Father) {
        writeBone(*Father);
        std::vector<const VBABone*> stack{Father.get()};
        std::vector<size_t> done{0};
        while (!stack.empty()) {
            const VBABone* b = stack.back();
            if (done.back() >= b->Sons.size()) {
                s->WriteByte(255);
                stack.pop_back();
                done.pop_back();
                continue;
            }
            const VBABone* son = b->Sons[done.back()++].get();
            writeBone(*son);
            stack.push_back(son);
            done.push_back(0);
        }
    }

    const VBABoneState none;
    for (int n = 0; n < NAnims && n < static_cast<int>(Anim.size()); n++) {
        const VBAAnim* a = Anim[n].get();
        s->WriteShort(static_cast<int16_t>(a ? a->NFrames & 0xFFFF : 0));
        for (const VBAFrame* f = a ? a->Frames.get() : nullptr; f; f = f->NextFrame.get()) {
            s->WriteShort(static_cast<int16_t>(f->Duration & 0xFFFF));
            for (int i = 0; i < NBones; i++) {
                const VBABoneState& st = i < static_cast<int>(f->Bones.size()) ? f->Bones[i] : none;
                s->WriteFloat(st.X);
                s->WriteFloat(st.Y);
                s->WriteFloat(st.Angle);
                s->WriteShort(static_cast<int16_t>(st.Z & 0xFFFF));
                s->WriteFloat(st.Size);
                s->WriteShort(static_cast<int16_t>(st.Graph & 0xFFFF));
            }
        }
    }
    s->Close();
    return 0;
}

// ---------------------------------------------------------------------------------------
// Editing

namespace {

// Depth-first pre-order visit of the bones below b (b excluded); stops when f returns true.
template <class F>
VBABone* VisitBelow(VBABone* root, F f) {
    if (!root) return nullptr;
    std::vector<VBABone*> stack{root};
    while (!stack.empty()) {
        VBABone* b = stack.back();
        stack.pop_back();
        for (size_t i = b->Sons.size(); i-- > 0;) {
            VBABone* son = b->Sons[i].get();
            if (son) stack.push_back(son);
        }
        if (b != root && f(b)) return b;
    }
    return nullptr;
}

}  // namespace

VBABone* VBA::SearchBone(int id) const {
    if (id >= NBones || !Father) return nullptr;
    if (Father->ID == id) return Father.get();
    return VisitBelow(Father.get(), [id](VBABone* b) { return b->ID == id; });
}

VBABone* VBA::SearchBoneFather(int id) const {
    if (id >= NBones || !Father || Father->ID == id) return nullptr;
    auto hasSon = [id](VBABone* b) {
        for (const auto& son : b->Sons)
            if (son && son->ID == id) return true;
        return false;
    };
    if (hasSon(Father.get())) return Father.get();
    return VisitBelow(Father.get(), hasSon);
}

int VBA::DeleteBone(int id) {
    if (id < 0 || id > NBones - 1) return 1;
    VBABone* bone = SearchBone(id);
    if (!bone) return 1;
    if (bone->Sons.size() >= 2) return 2;

    // The father holding this very bone (IDs may repeat in a set being edited).
    auto holds = [bone](VBABone* b) {
        for (const auto& s : b->Sons)
            if (s.get() == bone) return true;
        return false;
    };
    VBABone* father = nullptr;
    if (bone != Father.get())
        father = holds(Father.get()) ? Father.get() : VisitBelow(Father.get(), holds);

    std::unique_ptr<VBABone> gone;
    std::unique_ptr<VBABone> son;
    if (!bone->Sons.empty()) son = std::move(bone->Sons[0]);
    bone->Sons.clear();
    bone->NSons = 0;
    if (!father) {
        gone = std::move(Father);
        Father = std::move(son);
    } else {
        for (size_t i = 0; i < father->Sons.size(); i++) {
            if (father->Sons[i].get() != bone) continue;
            gone = std::move(father->Sons[i]);
            if (son) {
                father->Sons[i] = std::move(son);
            } else {
                father->Sons.erase(father->Sons.begin() + static_cast<std::ptrdiff_t>(i));
                father->NSons--;
            }
            break;
        }
    }
    ShiftIDs(id, -1);
    NBones--;
    for (int n = 0; n < NAnims && n < static_cast<int>(Anim.size()); n++) {
        if (!Anim[n]) continue;
        for (VBAFrame* f = Anim[n]->Frames.get(); f; f = f->NextFrame.get()) {
            if (id < static_cast<int>(f->Bones.size()))
                f->Bones.erase(f->Bones.begin() + id);
            for (VBABoneState& st : f->Bones)
                if (st.Z > id) st.Z--;
        }
    }
    return 0;
}

int VBA::ShiftIDs(int from, int delta) {
    VisitBelow(Father.get(), [&](VBABone* b) {
        if (b->ID >= from) b->ID += delta;
        return false;
    });
    return 0;
}

int VBA::DeleteAnim(int n) {
    if (n < 0 || n >= NAnims || n >= static_cast<int>(Anim.size())) return 0;
    if (Anim[n]) Anim[n]->ClearFrames();
    for (int i = n; i < NAnims - 1; i++) Anim[i] = Anim[i + 1];
    NAnims--;
    return 0;
}

int VBA::InsertAnim(int n) {
    if (static_cast<int>(Anim.size()) < NAnims) Anim.resize(NAnims);
    Anim.emplace_back();
    const int at = n < 0 ? 0 : (n > NAnims ? NAnims : n);
    for (int i = NAnims; i > at; i--) Anim[i] = Anim[i - 1];
    Anim[at] = std::make_shared<VBAAnim>();
    NAnims++;
    return 0;
}

int VBA::Unload() {
    for (auto& a : Anim)
        if (a) a->ClearFrames();
    Anim.clear();
    // Empty every bone's sons level by level, so a deep tree never recurses.
    std::vector<std::unique_ptr<VBABone>> pending;
    if (Father) pending.push_back(std::move(Father));
    while (!pending.empty()) {
        std::unique_ptr<VBABone> b = std::move(pending.back());
        pending.pop_back();
        for (auto& son : b->Sons)
            if (son) pending.push_back(std::move(son));
        b->Sons.clear();
    }
    return 0;
}
