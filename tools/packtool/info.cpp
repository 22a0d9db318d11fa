// `packtool info`: one JSON object describing a set, a pack or an FPG collection.
#include "commands.h"

#include "platform/base/stream.h"
#include "platform/base/text.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <cctype>
#include <cstdio>
#include <string>

namespace {

// Names are 8-bit (Latin-1) text: every byte outside printable ASCII is escaped as
// the code point of that byte.
std::string Quote(const std::string& s) {
    std::string out;
    AppendJsonString(out, s, JsonText::Latin1);
    return out;
}

std::string Points(const std::vector<TPoint>& cp) {
    std::string out = "[";
    for (size_t i = 0; i < cp.size(); i++)
        out += (i ? ",[" : "[") + std::to_string(cp[i].X) + "," + std::to_string(cp[i].Y) + "]";
    return out + "]";
}

std::string Magic(const std::string& path) {
    TStreamPtr s = ReadStream(path);
    return s ? s->ReadString(4) : std::string();
}

int VersionByte(const std::string& path) {
    const std::string m = Magic(path);
    return m.size() == 4 ? static_cast<unsigned char>(m[3]) : -1;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    std::string end = s.substr(s.size() - tail.size());
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == tail;
}

int InfoVBA(const std::string& path) {
    VBAPtr v = VBA::LoadVBA(path);
    const int version = VersionByte(path);
    std::string out = "{\"type\":\"vba\",\"version\":" + std::to_string(version) +
                      ",\"height\":" + std::to_string(static_cast<int>(v->Height)) +
                      ",\"bones\":[";
    // Pre-order, as stored: each bone with its father's ID (-1 for the root).
    struct Item {
        const VBABone* bone;
        int father;
    };
    std::vector<Item> stack;
    if (v->Father) stack.push_back({v->Father.get(), -1});
    bool first = true;
    while (!stack.empty()) {
        const Item it = stack.back();
        stack.pop_back();
        for (size_t i = it.bone->Sons.size(); i-- > 0;) stack.push_back({it.bone->Sons[i].get(), it.bone->ID});
        out += first ? "" : ",";
        first = false;
        out += "{\"id\":" + std::to_string(it.bone->ID) + ",\"name\":" + Quote(it.bone->Name) +
               ",\"father\":" + std::to_string(it.father) + ",\"range1\":" + std::to_string(it.bone->Range1) +
               ",\"range2\":" + std::to_string(it.bone->Range2) + "}";
    }
    out += "],\"animations\":[";
    for (int n = 0; n < v->NAnims; n++) {
        out += n ? "," : "";
        out += "{\"number\":" + std::to_string(n) + ",\"frames\":" + std::to_string(v->Anim[n]->NFrames) +
               ",\"duration\":" + std::to_string(v->Anim[n]->Duration) + "}";
    }
    std::printf("%s]}\n", out.c_str());
    return 0;
}

int InfoVGP(const std::string& path) {
    VGPPtr p = VGP::LoadVGP(path, 0, 0);  // points as stored
    const int version = VersionByte(path);
    std::string out = "{\"type\":\"vgp\",\"version\":" + std::to_string(version) +
                      ",\"size\":" + std::to_string(p->Size) + ",\"flags\":" + std::to_string(p->VFlags) +
                      ",\"graphs\":[";
    for (int i = 0; i < p->Size; i++) {
        const TGraphPtr& g = p->Graph[i];
        out += i ? "," : "";
        out += "{\"number\":" + std::to_string(i);
        if (!g || g == EmptyGraph)
            out += ",\"empty\":true}";
        else
            out += ",\"width\":" + std::to_string(g->W) + ",\"height\":" + std::to_string(g->H) +
                   ",\"points\":" + Points(g->CP) + "}";
    }
    std::printf("%s]}\n", out.c_str());
    return 0;
}

int InfoFPG(const std::string& path) {
    VGP::LoadFPG(path, 0);  // checks every record (the library's message otherwise)
    TStreamPtr s = ReadStream(path);
    s->Seek(8);
    std::string out = "{\"type\":\"fpg\",\"graphs\":[";
    bool first = true;
    while (s->Pos() < s->Size()) {
        const int code = s->ReadInt();
        s->ReadInt();
        s->ReadString(32);
        const std::string name = ReadFixedString(*s, 12);
        const int w = s->ReadInt(), h = s->ReadInt(), n = s->ReadInt();
        std::vector<TPoint> cp(static_cast<size_t>(n));
        for (TPoint& p : cp) {
            p.X = static_cast<uint16_t>(s->ReadShort());
            p.Y = static_cast<uint16_t>(s->ReadShort());
        }
        s->Seek(s->Pos() + int64_t{w} * h * 2);
        out += first ? "" : ",";
        first = false;
        out += "{\"code\":" + std::to_string(code) + ",\"file\":" + Quote(name) + ",\"width\":" +
               std::to_string(w) + ",\"height\":" + std::to_string(h) + ",\"points\":" + Points(cp) + "}";
    }
    std::printf("%s]}\n", out.c_str());
    return 0;
}

}  // namespace

int InfoCommand(const std::string& path) {
    const std::string m = Magic(path).substr(0, 3);
    if (m == "k.n" || (m.empty() && EndsWith(path, ".vba"))) return InfoVBA(path);
    if (m == "VGP" || (m.empty() && EndsWith(path, ".vgp"))) return InfoVGP(path);
    if (m == "f16" || (m.empty() && EndsWith(path, ".fpg"))) return InfoFPG(path);
    // Unknown contents: the loader for the name reports what is wrong.
    if (EndsWith(path, ".vba")) return InfoVBA(path);
    if (EndsWith(path, ".vgp")) return InfoVGP(path);
    if (EndsWith(path, ".fpg")) return InfoFPG(path);
    std::printf("packtool: %s is not a VBA, VGP or FPG file\n", path.c_str());
    return 1;
}
