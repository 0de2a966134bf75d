// The generated tracker modules: structurally valid extended modules, played
// once straight through (the playlist moves on when a track ends), and when
// rendered by the mixer's own module player, audible, unclipped and 1.5 to 3
// minutes long.
#include <gtest/gtest.h>

#include <libmodplug/modplug.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
const char* const kModules[] = {"menu.xm", "game01.xm", "game02.xm", "game03.xm", "game04.xm"};

std::vector<uint8_t> ReadModule(const std::string& name)
{
    std::ifstream in(std::string(ZONVEL_BUILD_DIR) + "/music/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct SCell
{
    uint8_t note = 0, instrument = 0, volume = 0, effect = 0, param = 0;
};

struct SModule
{
    int channels = 0;
    int instruments = 0;
    int speed = 0;
    int bpm = 0;
    std::vector<uint8_t> orders;
    std::vector<std::vector<SCell>> patterns; // row-major cells
    std::vector<int> rows;
};

class CReader
{
public:
    explicit CReader(const std::vector<uint8_t>& bytes) : m_b(bytes) {}
    bool Has(size_t count) const { return m_at + count <= m_b.size(); }
    uint8_t U8() { return m_b[m_at++]; }
    uint16_t U16()
    {
        const uint16_t v = static_cast<uint16_t>(m_b[m_at] | (m_b[m_at + 1] << 8));
        m_at += 2;
        return v;
    }
    uint32_t U32()
    {
        const uint32_t lo = U16();
        return lo | (static_cast<uint32_t>(U16()) << 16);
    }
    size_t Pos() const { return m_at; }
    void Seek(size_t at) { m_at = at; }

private:
    const std::vector<uint8_t>& m_b;
    size_t m_at = 0;
};

// Parses everything a player reads; an empty string means the file is sound.
std::string ParseXm(const std::vector<uint8_t>& b, SModule& m)
{
    if (b.size() < 336 || std::memcmp(b.data(), "Extended Module: ", 17) != 0 || b[37] != 0x1A)
        return "bad signature";
    CReader r(b);
    r.Seek(58);
    if (r.U16() != 0x0104)
        return "not version 1.04";
    const uint32_t headerSize = r.U32();
    const int songLength = r.U16();
    r.U16(); // restart position
    m.channels = r.U16();
    const int patternCount = r.U16();
    m.instruments = r.U16();
    r.U16(); // flags
    m.speed = r.U16();
    m.bpm = r.U16();
    if (songLength < 1 || songLength > 256 || m.channels < 1 || m.channels > 32 || patternCount < 1 ||
        patternCount > 256 || m.instruments < 1 || m.instruments > 128 || m.speed < 1 || m.speed > 31 || m.bpm < 32)
        return "header fields out of range";
    for (int i = 0; i < songLength; ++i)
        m.orders.push_back(b[80 + static_cast<size_t>(i)]);
    for (uint8_t order : m.orders)
        if (order >= patternCount)
            return "order names a missing pattern";

    r.Seek(60 + headerSize);
    for (int p = 0; p < patternCount; ++p)
    {
        if (!r.Has(9))
            return "pattern header past the end";
        const size_t start = r.Pos();
        const uint32_t length = r.U32();
        if (r.U8() != 0)
            return "unknown packing";
        const int rows = r.U16();
        const int packed = r.U16();
        if (rows < 1 || rows > 256)
            return "pattern row count out of range";
        r.Seek(start + length);
        if (!r.Has(static_cast<size_t>(packed)))
            return "pattern data past the end";
        const size_t end = r.Pos() + static_cast<size_t>(packed);
        std::vector<SCell> cells;
        while (r.Pos() < end)
        {
            SCell c;
            const uint8_t first = r.U8();
            const uint8_t mask = first & 0x80 ? first : 0x1F;
            if (!(first & 0x80))
                c.note = first;
            else if (mask & 1)
                c.note = r.U8();
            if (mask & 2)
                c.instrument = r.U8();
            if (mask & 4)
                c.volume = r.U8();
            if (mask & 8)
                c.effect = r.U8();
            if (mask & 16)
                c.param = r.U8();
            if (r.Pos() > end)
                return "a cell runs past its pattern";
            cells.push_back(c);
        }
        if (cells.size() != static_cast<size_t>(rows * m.channels))
            return "pattern data does not hold rows x channels cells";
        m.patterns.push_back(std::move(cells));
        m.rows.push_back(rows);
    }

    for (int i = 0; i < m.instruments; ++i)
    {
        if (!r.Has(29))
            return "instrument header past the end";
        const size_t start = r.Pos();
        const uint32_t size = r.U32();
        r.Seek(start + 27);
        const int samples = r.U16();
        if (samples == 0)
        {
            r.Seek(start + size);
            continue;
        }
        const uint32_t sampleHeaderSize = r.U32();
        r.Seek(start + size);
        uint64_t dataBytes = 0;
        for (int s = 0; s < samples; ++s)
        {
            if (!r.Has(sampleHeaderSize))
                return "sample header past the end";
            const size_t sampleStart = r.Pos();
            const uint32_t length = r.U32();
            const uint32_t loopStart = r.U32();
            const uint32_t loopLength = r.U32();
            r.U8();
            r.U8();
            const uint8_t type = r.U8();
            if ((type & 3) != 0 && loopStart + loopLength > length)
                return "sample loop beyond the sample";
            if ((type & 0x10) && length % 2 != 0)
                return "16-bit sample with an odd byte count";
            dataBytes += length;
            r.Seek(sampleStart + sampleHeaderSize);
        }
        if (!r.Has(dataBytes))
            return "sample data past the end";
        r.Seek(r.Pos() + dataBytes);
    }
    if (r.Pos() != b.size())
        return "trailing bytes after the last instrument";
    return "";
}

struct SRender
{
    double seconds = 0;
    double rms = 0; // of full scale
    double tailRms = 0; // of the last quarter second
    int clipped = 0;
    int lengthMs = 0;
    bool ended = false;
};

// masterVolume 0: the module player's own default.
SRender Render(const std::vector<uint8_t>& bytes, int kRate = 22050, int channels = 1, int masterVolume = 0)
{
    ModPlug_Settings settings;
    ModPlug_GetSettings(&settings);
    settings.mFlags = MODPLUG_ENABLE_OVERSAMPLING;
    settings.mChannels = channels;
    settings.mBits = 16;
    settings.mFrequency = kRate;
    settings.mResamplingMode = channels == 1 ? MODPLUG_RESAMPLE_LINEAR : MODPLUG_RESAMPLE_FIR;
    settings.mLoopCount = 0;
    ModPlug_SetSettings(&settings);

    SRender result;
    ModPlugFile* file = ModPlug_Load(bytes.data(), static_cast<int>(bytes.size()));
    if (!file)
        return result;
    if (masterVolume > 0)
        ModPlug_SetMasterVolume(file, static_cast<unsigned>(masterVolume));
    result.lengthMs = ModPlug_GetLength(file);
    std::vector<int16_t> buffer(4096);
    std::vector<int16_t> all;
    const uint64_t limit = static_cast<uint64_t>(kRate) * static_cast<uint64_t>(channels) * 400; // a looping module would never stop
    while (all.size() < limit)
    {
        const int got = ModPlug_Read(file, buffer.data(), static_cast<int>(buffer.size() * 2));
        if (got <= 0)
        {
            result.ended = true;
            break;
        }
        all.insert(all.end(), buffer.begin(), buffer.begin() + got / 2);
    }
    ModPlug_Unload(file);
    const auto rms = [](auto first, auto last) {
        double sum = 0;
        for (auto it = first; it != last; ++it)
            sum += static_cast<double>(*it) * *it;
        return first == last ? 0.0 : std::sqrt(sum / static_cast<double>(last - first)) / 32768.0;
    };
    for (int16_t s : all)
        if (s >= 32767 || s <= -32768)
            ++result.clipped;
    result.seconds = static_cast<double>(all.size()) / kRate / channels;
    result.rms = rms(all.begin(), all.end());
    const size_t tail = std::min(all.size(), static_cast<size_t>(kRate * channels / 4));
    result.tailRms = rms(all.end() - static_cast<std::ptrdiff_t>(tail), all.end());
    return result;
}
} // namespace

TEST(AudioDataXm, EveryModuleParsesAndUsesOnlyWhatItDeclares)
{
    for (const char* name : kModules)
    {
        SCOPED_TRACE(name);
        const auto bytes = ReadModule(name);
        ASSERT_FALSE(bytes.empty()) << "missing; the build's data step writes it";
        EXPECT_LT(bytes.size(), 400u * 1024u) << "a module should stay small";
        SModule m;
        ASSERT_EQ(ParseXm(bytes, m), "");
        for (const auto& cells : m.patterns)
            for (const SCell& c : cells)
            {
                EXPECT_TRUE(c.note <= 96 || c.note == 97);
                EXPECT_LE(c.instrument, m.instruments);
            }
    }
}

TEST(AudioDataXm, EveryModulePlaysStraightThroughWithoutJumpingBack)
{
    for (const char* name : kModules)
    {
        SCOPED_TRACE(name);
        SModule m;
        ASSERT_EQ(ParseXm(ReadModule(name), m), "");
        for (size_t position = 0; position < m.orders.size(); ++position)
            for (const SCell& c : m.patterns[m.orders[position]])
            {
                // Position jump backwards or onto itself, or a pattern loop, would replay music.
                if (c.effect == 0x0B)
                {
                    EXPECT_GT(c.param, position) << "jump back at order " << position;
                }
                if (c.effect == 0x0E)
                {
                    EXPECT_NE(c.param >> 4, 6) << "pattern loop at order " << position;
                }
            }
    }
}

TEST(AudioDataXm, EveryModuleRendersAudiblyForOneAndAHalfToThreeMinutes)
{
    for (const char* name : kModules)
    {
        SCOPED_TRACE(name);
        const SRender r = Render(ReadModule(name));
        ASSERT_TRUE(r.ended) << "did not end by itself";
        EXPECT_GE(r.seconds, 90.0);
        EXPECT_LE(r.seconds, 180.0);
        EXPECT_NEAR(r.lengthMs / 1000.0, r.seconds, 3.0);
        EXPECT_GT(r.rms, 0.02) << "too quiet";
        EXPECT_EQ(r.clipped, 0);
        EXPECT_LT(r.tailRms, 0.005) << "the last notes are cut off instead of dying away";
    }
}

// As the program plays them: SDL_mixer's stereo at 44100 Hz, where a music
// volume of v of 128 reaches the module player as master volume 2 v. A new
// player's 40 of 64 (80 of 128) must carry the tunes at -20 to -24 dB RMS,
// clearly heard under the effects; the slider's top must not clip them.
TEST(AudioDataXm, EveryModuleSitsInTheMixAtTheDefaultVolumeAndNeverClipsAtFullVolume)
{
    constexpr int kDefaultMaster = 2 * 80;
    constexpr int kFullMaster = 2 * 128;
    for (const char* name : kModules)
    {
        SCOPED_TRACE(name);
        const auto bytes = ReadModule(name);
        const SRender atDefault = Render(bytes, 44100, 2, kDefaultMaster);
        const double rmsDb = 20.0 * std::log10(atDefault.rms);
        EXPECT_GE(rmsDb, -24.0) << "too quiet under the effects";
        EXPECT_LE(rmsDb, -20.0) << "louder than the effects leave room for";
        EXPECT_EQ(Render(bytes, 44100, 2, kFullMaster).clipped, 0);
    }
}
