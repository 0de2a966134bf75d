// zonvel_colour DATA_FOLDER [PICTURE.png]: how far apart the six flowers stay
// at the smallest cell size under each simulated colour vision. Prints every
// pair's structural similarity and mean grey difference, the worst pair last;
// the picture shows the flowers as compared, one row per vision, enlarged.
#include "ColourVision.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace NColourVision;

namespace
{
constexpr int kZoom = 8;
constexpr int kGap = 4;

void WritePicture(const std::vector<SPicture>& flowers, const std::string& path)
{
    const int cell = kSmallestCell * kZoom;
    const int width = kFlowers * (cell + kGap) + kGap;
    const int height = static_cast<int>(kVisions.size()) * (cell + kGap) + kGap;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::fill(data, data + static_cast<size_t>(stride) * height, 0xFF);
    for (size_t row = 0; row < kVisions.size(); ++row)
    {
        for (int f = 0; f < kFlowers; ++f)
        {
            SPicture seen = Simulate(flowers[f], kVisions[row]);
            for (int y = 0; y < cell; ++y)
            {
                for (int x = 0; x < cell; ++x)
                {
                    unsigned char* p = data + static_cast<size_t>(kGap + static_cast<int>(row) * (cell + kGap) + y) * stride +
                                       (kGap + f * (cell + kGap) + x) * 4;
                    for (int c = 0; c < 3; ++c) // cairo stores blue, green, red
                        p[2 - c] = static_cast<unsigned char>(seen.At(x / kZoom, y / kZoom, c) + 0.5f);
                }
            }
        }
    }
    cairo_surface_mark_dirty(surface);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s DATA_FOLDER [PICTURE.png]\n", argv[0]);
        return 2;
    }
    std::vector<SPicture> flowers = LoadFlowers(argv[1]);
    if (flowers.size() != kFlowers)
    {
        std::fprintf(stderr, "cannot read the flower sheet below %s\n", argv[1]);
        return 1;
    }
    std::vector<SPair> pairs = ComparePairs(flowers);
    std::printf("%-13s pair   SSIM   grey\n", "vision");
    const SPair* worstSsim = &pairs.front();
    const SPair* worstGrey = &pairs.front();
    for (const SPair& pair : pairs)
    {
        std::printf("%-13s %d-%d  %.3f  %5.1f\n", VisionName(pair.vision), pair.first, pair.second, pair.ssim,
                    pair.greyDifference);
        if (pair.ssim > worstSsim->ssim)
            worstSsim = &pair;
        if (pair.greyDifference < worstGrey->greyDifference)
            worstGrey = &pair;
    }
    std::printf("most alike:       %s %d-%d SSIM %.3f\n", VisionName(worstSsim->vision), worstSsim->first,
                worstSsim->second, worstSsim->ssim);
    std::printf("least grey apart: %s %d-%d %.1f\n", VisionName(worstGrey->vision), worstGrey->first,
                worstGrey->second, worstGrey->greyDifference);
    if (argc > 2)
        WritePicture(flowers, argv[2]);
    return 0;
}
