#pragma once
// A scratch file for fuzz targets that must hand the game a file: in memory-backed storage
// when there is some (creating and removing a file on disk for every input costs more than
// the reading itself), one per process, removed at exit.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fuzz {

// The path of this process's scratch file called name, made once.
inline std::string ScratchPath(const std::string& name) {
    const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return folder + "/fuzz_" + std::to_string(getpid()) + "_" + name;
}

// Writes the input as the whole file; the file is removed when the process ends.
inline void WriteScratch(const std::string& path, const uint8_t* data, size_t size) {
    static std::vector<std::string>* made = [] {
        static std::vector<std::string> paths;
        std::atexit([] {
            for (const std::string& p : paths) std::remove(p.c_str());
        });
        return &paths;
    }();
    if (std::find(made->begin(), made->end(), path) == made->end()) made->push_back(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace fuzz
