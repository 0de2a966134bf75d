#include "ColourVision.h"

#include "engine/ImageDecoder.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace NColourVision
{
namespace
{
constexpr int kSheetCell = 64;   // the generator's flower cell, in texels
constexpr float kBackdrop = 128; // neutral grey under the flowers' soft edges
constexpr int kWindow = 7;

float ToLinear(float v)
{
    v /= 255.0f;
    return v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
}

float ToSrgb(float v)
{
    v = std::clamp(v, 0.0f, 1.0f);
    v = v <= 0.0031308f ? v * 12.92f : 1.055f * std::pow(v, 1.0f / 2.4f) - 0.055f;
    return v * 255.0f;
}

using Matrix = std::array<std::array<float, 3>, 3>;

const Matrix* MatrixOf(EVision vision)
{
    static const Matrix kProtanopia = {{{0.152286f, 1.052583f, -0.204868f},
                                        {0.114503f, 0.786281f, 0.099216f},
                                        {-0.003882f, -0.048116f, 1.051998f}}};
    static const Matrix kDeuteranopia = {{{0.367322f, 0.860646f, -0.227968f},
                                          {0.280085f, 0.672501f, 0.047413f},
                                          {-0.011820f, 0.042940f, 0.968881f}}};
    static const Matrix kTritanopia = {{{1.255528f, -0.076749f, -0.178779f},
                                        {-0.078411f, 0.930809f, 0.147602f},
                                        {0.004733f, 0.691367f, 0.303900f}}};
    switch (vision)
    {
    case EVision::Protanopia: return &kProtanopia;
    case EVision::Deuteranopia: return &kDeuteranopia;
    case EVision::Tritanopia: return &kTritanopia;
    default: return nullptr;
    }
}

float Luma(const SPicture& p, size_t pixel)
{
    return 0.299f * p.rgb[pixel * 3] + 0.587f * p.rgb[pixel * 3 + 1] + 0.114f * p.rgb[pixel * 3 + 2];
}

double ChannelSsim(const SPicture& a, const SPicture& b, int channel)
{
    const double c1 = (0.01 * 255) * (0.01 * 255);
    const double c2 = (0.03 * 255) * (0.03 * 255);
    const int window = std::min({kWindow, a.width, a.height});
    const double n = static_cast<double>(window) * window;
    double total = 0;
    int count = 0;
    for (int y = 0; y + window <= a.height; ++y)
    {
        for (int x = 0; x + window <= a.width; ++x)
        {
            double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
            for (int j = y; j < y + window; ++j)
            {
                for (int i = x; i < x + window; ++i)
                {
                    double va = a.At(i, j, channel), vb = b.At(i, j, channel);
                    sa += va, sb += vb, saa += va * va, sbb += vb * vb, sab += va * vb;
                }
            }
            double ma = sa / n, mb = sb / n;
            double va = saa / n - ma * ma, vb = sbb / n - mb * mb, cov = sab / n - ma * mb;
            total += ((2 * ma * mb + c1) * (2 * cov + c2)) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ++count;
        }
    }
    return count > 0 ? total / count : 1.0;
}
} // namespace

const char* VisionName(EVision vision)
{
    switch (vision)
    {
    case EVision::Normal: return "normal";
    case EVision::Protanopia: return "protanopia";
    case EVision::Deuteranopia: return "deuteranopia";
    case EVision::Tritanopia: return "tritanopia";
    case EVision::Greyscale: return "greyscale";
    }
    return "?";
}

std::vector<SPicture> LoadFlowers(const std::string& dataFolder, int size)
{
    std::ifstream in(dataFolder + "/dat/skin01.tga", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    NImageDecoder::SImage sheet;
    if (size <= 0 || !NImageDecoder::DecodeTarga(bytes.data(), bytes.size(), sheet) || sheet.components != 4 ||
        sheet.width < kSheetCell || sheet.height < kFlowers * kSheetCell)
        return {};
    std::vector<SPicture> flowers;
    for (int group = 0; group < kFlowers; ++group)
    {
        SPicture picture;
        picture.width = picture.height = size;
        picture.rgb.assign(static_cast<size_t>(size) * size * 3, 0.0f);
        // Group g fills texel rows g * cell upwards; the cells are stored
        // mirrored for the game's unflipped drawing, so the last texel row of
        // a cell is the top of the flower on screen.
        for (int y = 0; y < size; ++y)
        {
            for (int x = 0; x < size; ++x)
            {
                // Area average of the texels the output pixel covers, blended
                // over the backdrop by their alpha (premultiplied sums).
                double x0 = static_cast<double>(x) * kSheetCell / size, x1 = (x + 1.0) * kSheetCell / size;
                double y0 = static_cast<double>(y) * kSheetCell / size, y1 = (y + 1.0) * kSheetCell / size;
                double sum[3] = {0, 0, 0}, area = 0;
                for (int ty = static_cast<int>(y0); ty < static_cast<int>(std::ceil(y1)); ++ty)
                {
                    double hy = std::min<double>(ty + 1, y1) - std::max<double>(ty, y0);
                    for (int tx = static_cast<int>(x0); tx < static_cast<int>(std::ceil(x1)); ++tx)
                    {
                        double w = hy * (std::min<double>(tx + 1, x1) - std::max<double>(tx, x0));
                        const uint8_t* t =
                            &sheet.pixels[(static_cast<size_t>(group * kSheetCell + ty) * sheet.width + tx) * 4];
                        double alpha = t[3] / 255.0;
                        for (int c = 0; c < 3; ++c)
                            sum[c] += w * (alpha * t[c] + (1 - alpha) * kBackdrop);
                        area += w;
                    }
                }
                for (int c = 0; c < 3; ++c)
                    picture.rgb[(static_cast<size_t>(size - 1 - y) * size + x) * 3 + c] =
                        static_cast<float>(sum[c] / area);
            }
        }
        flowers.push_back(std::move(picture));
    }
    return flowers;
}

SPicture Simulate(const SPicture& picture, EVision vision)
{
    SPicture out = picture;
    const Matrix* m = MatrixOf(vision);
    if (vision == EVision::Normal)
        return out;
    for (size_t i = 0; i + 2 < out.rgb.size(); i += 3)
    {
        float lin[3] = {ToLinear(picture.rgb[i]), ToLinear(picture.rgb[i + 1]), ToLinear(picture.rgb[i + 2])};
        if (m == nullptr)
        {
            float y = 0.2126f * lin[0] + 0.7152f * lin[1] + 0.0722f * lin[2];
            out.rgb[i] = out.rgb[i + 1] = out.rgb[i + 2] = ToSrgb(y);
            continue;
        }
        for (int r = 0; r < 3; ++r)
            out.rgb[i + r] = ToSrgb((*m)[r][0] * lin[0] + (*m)[r][1] * lin[1] + (*m)[r][2] * lin[2]);
    }
    return out;
}

double Ssim(const SPicture& a, const SPicture& b)
{
    if (a.width != b.width || a.height != b.height || a.rgb.empty())
        return 1.0;
    return (ChannelSsim(a, b, 0) + ChannelSsim(a, b, 1) + ChannelSsim(a, b, 2)) / 3.0;
}

double MeanGreyDifference(const SPicture& a, const SPicture& b)
{
    size_t pixels = std::min(a.rgb.size(), b.rgb.size()) / 3;
    if (pixels == 0)
        return 0.0;
    double total = 0;
    for (size_t i = 0; i < pixels; ++i)
        total += std::fabs(Luma(a, i) - Luma(b, i));
    return total / pixels;
}

std::vector<SPair> ComparePairs(const std::vector<SPicture>& flowers)
{
    std::vector<SPair> pairs;
    for (EVision vision : kVisions)
    {
        std::vector<SPicture> seen;
        for (const SPicture& flower : flowers)
            seen.push_back(Simulate(flower, vision));
        for (size_t i = 0; i < seen.size(); ++i)
            for (size_t j = i + 1; j < seen.size(); ++j)
                pairs.push_back({vision, static_cast<int>(i), static_cast<int>(j), Ssim(seen[i], seen[j]),
                                 MeanGreyDifference(seen[i], seen[j])});
    }
    return pairs;
}
} // namespace NColourVision
