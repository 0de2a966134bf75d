// Encoders from cairo image surfaces to the picture formats the engine reads.
// Targa rows are written bottom-up (the format's own order), so row 0 of the
// loaded texture is the bottom of the picture.
#pragma once

#include "DataWriter.h"

#include <cairo.h>

namespace NDataGen
{
// 32-bit (with alpha) or 24-bit uncompressed true-colour targa.
Bytes EncodeTga(cairo_surface_t* surface, bool withAlpha = true);
// Baseline RGB JPEG of the surface (alpha dropped).
Bytes EncodeJpeg(cairo_surface_t* surface, int quality = 90);
// One-component JPEG of the surface's alpha channel, for colour + alpha pairs.
Bytes EncodeAlphaJpeg(cairo_surface_t* surface, int quality = 95);

// New ARGB32 surface, cleared to transparent. Caller destroys it.
cairo_surface_t* NewSurface(int width, int height);
} // namespace NDataGen
