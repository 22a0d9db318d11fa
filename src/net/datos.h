#pragma once
// The fingerprint of the data a game plays with: every file of the data folder with a
// 64-bit hash of its bytes, so that a host and a client can tell, before playing, whether
// they would draw and hear the same game, and name the first file that differs.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace net {

struct ArchivoDatos {
    std::string ruta;     // relative to the data folder, '/'-separated
    uint64_t huella = 0;  // Huella of the file's bytes
    bool operator==(const ArchivoDatos&) const = default;
};

// Every regular file under carpeta (following links to files, not to folders), sorted by
// path, except the settings the player writes there (*.cfg, gamecontrollerdb.txt), which
// may differ freely, and hidden entries (".name": the build's bookkeeping). A file that cannot be read is hashed as far as it could be read (a
// damaged copy differs from a good one); a missing folder gives an empty list.
std::vector<ArchivoDatos> HuellaDatos(const std::string& carpeta);

// The 64-bit hash used for data files (not cryptographic: it tells honest copies apart).
uint64_t Huella(const void* data, size_t size);

// The first path, in sorted order, whose hash differs or that one list has and the other
// lacks; nullopt when both lists are the same. Both lists sorted by path.
std::optional<std::string> PrimeraDiferencia(const std::vector<ArchivoDatos>& a,
                                             const std::vector<ArchivoDatos>& b);

}  // namespace net
