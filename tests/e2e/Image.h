// Pictures for end-to-end tests: captured frames (top row first, RGBA),
// PNG files of them, and JPEG files made by a test as stand-in data.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace NE2e
{
struct SRgb
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

struct SImage
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; // row 0 is the top row

    SRgb At(int x, int y) const;
};

bool SavePng(const SImage& image, const std::string& path);

// A JPEG of width x height whose pixel (x, y), y from the top, is colour(x, y).
std::vector<uint8_t> MakeJpeg(int width, int height, const std::function<SRgb(int x, int y)>& colour);

// Whether a colour is within tolerance of another, per channel.
bool Near(SRgb a, SRgb b, int tolerance = 40);
} // namespace NE2e
