// How far apart the six flowers stay for players who see colours differently:
// the flower cells of the generated data shrunk to the smallest cell the game
// draws, passed through simulations of colour-vision deficiencies, and
// compared pair by pair. Pure computation on pixel buffers; no window.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace NColourVision
{
constexpr int kFlowers = 6;
// The smallest cell width of any level, in screen pixels.
constexpr int kSmallestCell = 17;

enum class EVision
{
    Normal,
    Protanopia,
    Deuteranopia,
    Tritanopia,
    Greyscale,
};
constexpr std::array<EVision, 5> kVisions = {EVision::Normal, EVision::Protanopia, EVision::Deuteranopia,
                                             EVision::Tritanopia, EVision::Greyscale};
const char* VisionName(EVision vision);

// Opaque sRGB picture, 0..255 per channel, rows top to bottom.
struct SPicture
{
    int width = 0;
    int height = 0;
    std::vector<float> rgb; // width * height * 3

    float At(int x, int y, int channel) const { return rgb[(static_cast<size_t>(y) * width + x) * 3 + channel]; }
};

// The six flower cells (frame 0 of groups 0..5) of the flower sheet
// "dat/skin01.tga" below dataFolder, each shrunk by area averaging to
// size x size and laid over a neutral grey, upright. Empty on a read failure.
std::vector<SPicture> LoadFlowers(const std::string& dataFolder, int size = kSmallestCell);

// Machado, Oliveira and Fernandes (2009) at severity 1.0, applied in linear
// light; greyscale keeps the relative luminance.
SPicture Simulate(const SPicture& picture, EVision vision);

// Mean structural similarity over 7 x 7 windows, averaged over the three
// channels: 1 for equal pictures, lower the more the pictures differ.
double Ssim(const SPicture& a, const SPicture& b);
// Mean absolute difference of the pictures' luma, 0..255.
double MeanGreyDifference(const SPicture& a, const SPicture& b);

struct SPair
{
    EVision vision;
    int first;
    int second;
    double ssim;
    double greyDifference;
};

// Every pair of flowers under every vision, the simulation applied to both.
std::vector<SPair> ComparePairs(const std::vector<SPicture>& flowers);
} // namespace NColourVision
