// The generated sound effects: each must be a plain PCM16 RIFF file that the
// mixer loads, short, audible, unclipped and without a click at either end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
struct SWavInfo
{
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<int16_t> samples;
};

uint32_t Le32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t Le16(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Walks the chunk list the way a loader does; an empty string means it parsed.
std::string ParseWav(const std::vector<uint8_t>& b, SWavInfo& info)
{
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return "not a RIFF/WAVE file";
    if (Le32(b, 4) != b.size() - 8)
        return "RIFF size does not match the file";
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= b.size())
    {
        const uint32_t size = Le32(b, at + 4);
        const size_t body = at + 8;
        if (body + size > b.size())
            return "chunk runs past the end of the file";
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0)
        {
            if (size < 16 || Le16(b, body) != 1)
                return "format is not plain PCM";
            info.channels = Le16(b, body + 2);
            info.rate = static_cast<int>(Le32(b, body + 4));
            info.bits = Le16(b, body + 14);
            if (Le16(b, body + 12) != info.channels * info.bits / 8 ||
                Le32(b, body + 8) != static_cast<uint32_t>(info.rate * info.channels * info.bits / 8))
                return "block align or byte rate inconsistent";
            haveFormat = true;
        }
        else if (std::memcmp(b.data() + at, "data", 4) == 0)
        {
            if (!haveFormat)
                return "data before format";
            if (size % 2 != 0)
                return "odd data size";
            info.samples.resize(size / 2);
            std::memcpy(info.samples.data(), b.data() + body, size);
            return "";
        }
        at = body + size + (size & 1);
    }
    return "no data chunk";
}

struct SEffect
{
    const char* name;
    double maxSeconds;
};

const SEffect kEffects[] = {{"start_paint.wav", 0.5}, {"wrong_paint.wav", 0.6}, {"lev_complete.wav", 3.0},
                            {"life_lost.wav", 2.5},   {"game_over.wav", 4.0},   {"bonus.wav", 1.5},
                            {"btn_click.wav", 0.15}};
} // namespace

TEST(AudioDataWav, EveryEffectIsPlayablePcm16)
{
    for (const SEffect& effect : kEffects)
    {
        SCOPED_TRACE(effect.name);
        const std::vector<uint8_t> bytes = ReadFile(std::string(ZONVEL_BUILD_DIR) + "/wav/" + effect.name);
        ASSERT_FALSE(bytes.empty()) << "missing; the build's data step writes it";
        SWavInfo info;
        ASSERT_EQ(ParseWav(bytes, info), "");
        EXPECT_EQ(info.bits, 16);
        EXPECT_TRUE(info.channels == 1 || info.channels == 2);
        EXPECT_TRUE(info.rate == 22050 || info.rate == 44100);
        ASSERT_GT(info.channels, 0);
        const double seconds = static_cast<double>(info.samples.size()) / info.channels / info.rate;
        EXPECT_GT(seconds, 0.02);
        EXPECT_LE(seconds, effect.maxSeconds);
    }
}

TEST(AudioDataWav, EveryEffectIsAudibleUnclippedAndClickFree)
{
    for (const SEffect& effect : kEffects)
    {
        SCOPED_TRACE(effect.name);
        SWavInfo info;
        ASSERT_EQ(ParseWav(ReadFile(std::string(ZONVEL_BUILD_DIR) + "/wav/" + effect.name), info), "");
        ASSERT_FALSE(info.samples.empty());
        double sum = 0;
        int peak = 0;
        for (int16_t s : info.samples)
        {
            sum += static_cast<double>(s) * s;
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        const double rms = std::sqrt(sum / static_cast<double>(info.samples.size())) / 32768.0;
        EXPECT_GT(rms, 0.03) << "too quiet to hear over the music";
        EXPECT_LT(peak, 32000) << "clipped";
        EXPECT_GT(peak, 8000);
        // A hard start or stop would click.
        EXPECT_LT(std::abs(info.samples.front()), 600);
        EXPECT_LT(std::abs(info.samples.back()), 600);
    }
}

TEST(AudioDataWav, EffectsAreDistinct)
{
    std::vector<std::vector<uint8_t>> seen;
    for (const SEffect& effect : kEffects)
    {
        const auto bytes = ReadFile(std::string(ZONVEL_BUILD_DIR) + "/wav/" + effect.name);
        for (const auto& other : seen)
            EXPECT_NE(bytes, other) << effect.name << " repeats another effect";
        seen.push_back(bytes);
    }
}
