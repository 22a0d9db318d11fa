#pragma once
// Pixmap packs: the pictures of a pack or FPG as plain RGBA pixmaps (format 6, rows
// aligned to 4), without images or control points. Slots without a picture stay null.
#include "vgp.h"

#include "platform/pixels/pixmap.h"

// The null pixmap every empty slot of a pixmap pack reads as.
const TPixmapPtr& NoPixmap();

class PVGP {
public:
    int32_t Size = 0;
    TSlotTable<TPixmap, &NoPixmap> Graph;  // indexed by graph number; null where none

    static std::shared_ptr<PVGP> LoadPFPG(const std::string& path);
    static std::shared_ptr<PVGP> LoadPFPG(TStream& stream, const std::string& path);
    static std::shared_ptr<PVGP> LoadPVGP(const std::string& path);
    static std::shared_ptr<PVGP> LoadPVGP(TStream& stream, const std::string& path);
    // Releases every pixmap; the table becomes empty.
    int Unload();
};
using PVGPPtr = std::shared_ptr<PVGP>;
