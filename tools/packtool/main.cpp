// packtool: looks into and converts animation sets (.vba), graphics packs (.vgp) and
// 16-bit FPG collections (.fpg).
#include "commands.h"

#include "platform/base/errors.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fputs(
        "usage:\n"
        "  packtool info FILE                    describe a .vba, .vgp or .fpg as JSON\n"
        "  packtool fpg2vgp IN.fpg OUT.vgp       import an FPG and save it as a pack\n"
        "  packtool sheet PACK.vgp OUT.png       every graph with its number and pivot\n"
        "  packtool anim SET.vba PACK.vgp N OUT.png\n"
        "                                        animation N as a strip of poses\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> a(argv + 1, argv + argc);
    try {
        if (a.size() == 2 && a[0] == "info") return InfoCommand(a[1]);
        if (a.size() == 3 && a[0] == "fpg2vgp") return Fpg2VgpCommand(a[1], a[2]);
        if (a.size() == 3 && a[0] == "sheet") return SheetCommand(a[1], a[2]);
        if (a.size() == 5 && a[0] == "anim") return AnimCommand(a[1], a[2], a[3], a[4]);
        return Usage();
    } catch (const GameError& e) {
        // The libraries' own stop: the message, then their closing line.
        std::printf("%s\n", e.what());
        if (!e.closingLine().empty()) std::printf("%s\n", e.closingLine().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::printf("packtool: %s\n", e.what());
        return 1;
    }
}
