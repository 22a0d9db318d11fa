#include "app/resolucion.h"
#include "support/rig_fixture.h"

#include <fstream>
#include <sstream>

namespace {
std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
void Put(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}
}  // namespace

TEST(Resolucion, MissingFileIsWrittenWithTheDefaultTenBytes) {
    std::string path = testrig::ScratchDir("resolucion") + "/resolucion.cfg";
    Resolucion r = leerResolucion(path);
    EXPECT_EQ(r.ancho, 1024);
    EXPECT_EQ(r.alto, 768);
    EXPECT_EQ(Slurp(path), std::string("1024 768\r\n"));
}

TEST(Resolucion, FirstLineIsWidthSpaceHeight) {
    std::string path = testrig::ScratchDir("resolucion") + "/resolucion.cfg";
    Put(path, "800 600 garbage\r\nsecond line\r\n");
    Resolucion r = leerResolucion(path);
    EXPECT_EQ(r.ancho, 800);
    EXPECT_EQ(r.alto, 600);
    EXPECT_EQ(Slurp(path), "800 600 garbage\r\nsecond line\r\n");  // left as it was

    Put(path, "1280 1024");
    r = leerResolucion(path);
    EXPECT_EQ(r.ancho, 1280);
    EXPECT_EQ(r.alto, 1024);
}

TEST(Resolucion, LinesWithoutASpaceAreRewritten) {
    std::string path = testrig::ScratchDir("resolucion") + "/resolucion.cfg";
    for (const char* content : {"1280x1024\r\n1 2\r\n", ""}) {
        Put(path, content);
        Resolucion r = leerResolucion(path);
        EXPECT_EQ(r.ancho, 1024) << content;
        EXPECT_EQ(r.alto, 768);
        EXPECT_EQ(Slurp(path), std::string("1024 768\r\n"));
    }
    // A space that is not on the first line does not count.
    Put(path, "abc\n640 480\n");
    EXPECT_EQ(leerResolucion(path).ancho, 1024);
}
