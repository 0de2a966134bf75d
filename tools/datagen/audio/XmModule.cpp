#include "XmModule.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace NDataGen
{
namespace
{
class CByteSink
{
public:
    void U8(uint32_t v) { m_bytes.push_back(static_cast<uint8_t>(v)); }
    void U16(uint32_t v)
    {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    // Fixed-width text, padded with zeros (or cut).
    void Text(const std::string& text, size_t width, char pad = '\0')
    {
        for (size_t i = 0; i < width; ++i)
            U8(i < text.size() ? static_cast<uint8_t>(text[i]) : static_cast<uint8_t>(pad));
    }
    void Zeros(size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }
    void Append(const std::vector<uint8_t>& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    size_t Size() const { return m_bytes.size(); }
    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

constexpr uint32_t kHeaderSize = 276; // counted from the header-size field itself
constexpr uint32_t kInstrumentHeaderSize = 263;
constexpr uint32_t kSampleHeaderSize = 40;

std::vector<uint8_t> PackPattern(const SXmPattern& pattern)
{
    std::vector<uint8_t> out;
    for (const SXmCell& c : pattern.cells)
    {
        uint8_t mask = 0x80;
        if (c.note)
            mask |= 0x01;
        if (c.instrument)
            mask |= 0x02;
        if (c.volume)
            mask |= 0x04;
        if (c.effect)
            mask |= 0x08;
        if (c.param)
            mask |= 0x10;
        out.push_back(mask);
        if (c.note)
            out.push_back(c.note);
        if (c.instrument)
            out.push_back(c.instrument);
        if (c.volume)
            out.push_back(c.volume);
        if (c.effect)
            out.push_back(c.effect);
        if (c.param)
            out.push_back(c.param);
    }
    return out;
}

void WriteInstrument(CByteSink& out, const SXmInstrument& ins)
{
    const size_t start = out.Size();
    out.U32(kInstrumentHeaderSize);
    out.Text(ins.name, 22);
    out.U8(0); // type
    out.U16(1); // one sample
    out.U32(kSampleHeaderSize);
    out.Zeros(96); // every note plays sample 0

    const auto& env = ins.volumeEnvelope;
    if (env.points.size() > 12)
        throw std::runtime_error("XM envelope with more than 12 points");
    for (size_t i = 0; i < 12; ++i)
    {
        out.U16(i < env.points.size() ? env.points[i].first : 0);
        out.U16(i < env.points.size() ? env.points[i].second : 0);
    }
    out.Zeros(48); // panning envelope unused
    out.U8(static_cast<uint32_t>(env.points.size()));
    out.U8(0); // panning points
    out.U8(env.sustain >= 0 ? static_cast<uint32_t>(env.sustain) : 0);
    out.U8(0); // volume loop start
    out.U8(0); // volume loop end
    out.U8(0);
    out.U8(0);
    out.U8(0); // panning sustain / loop
    uint32_t volumeType = 0;
    if (!env.points.empty())
        volumeType |= 1;
    if (!env.points.empty() && env.sustain >= 0)
        volumeType |= 2;
    out.U8(volumeType);
    out.U8(0); // panning type
    out.U8(0); // vibrato type: sine
    out.U8(ins.vibratoSweep);
    out.U8(ins.vibratoDepth);
    out.U8(ins.vibratoRate);
    out.U16(ins.fadeout);
    out.Zeros(start + kInstrumentHeaderSize - out.Size()); // reserved

    const uint32_t frames = static_cast<uint32_t>(ins.sample.size());
    const bool loop = ins.loopLength > 0;
    if (loop && ins.loopStart + ins.loopLength > frames)
        throw std::runtime_error("XM sample loop beyond the sample: " + ins.name);
    out.U32(frames * 2);
    out.U32(loop ? ins.loopStart * 2 : 0);
    out.U32(loop ? ins.loopLength * 2 : 0);
    out.U8(ins.volume);
    out.U8(static_cast<uint8_t>(ins.finetune));
    out.U8((loop ? 1u : 0u) | 0x10u); // forward loop, 16-bit
    out.U8(ins.panning);
    out.U8(static_cast<uint8_t>(ins.relativeNote));
    out.U8(0);
    out.Text(ins.name, 22);

    int16_t previous = 0;
    for (int16_t s : ins.sample)
    {
        const uint16_t delta = static_cast<uint16_t>(static_cast<uint16_t>(s) - static_cast<uint16_t>(previous));
        out.U16(delta);
        previous = s;
    }
}
} // namespace

SXmPattern::SXmPattern(int rowCount, int channelCount)
    : rows(rowCount), channels(channelCount), cells(static_cast<size_t>(rowCount * channelCount))
{
}

std::vector<uint8_t> WriteXm(const SXmModule& module)
{
    if (module.orders.empty() || module.orders.size() > 256 || module.patterns.size() > 256 ||
        module.instruments.size() > 128 || module.channels < 1 || module.channels > 32)
        throw std::runtime_error("XM module out of the format's limits: " + module.name);
    for (uint8_t order : module.orders)
        if (order >= module.patterns.size())
            throw std::runtime_error("XM order names a missing pattern: " + module.name);

    CByteSink out;
    out.Text("Extended Module: ", 17);
    out.Text(module.name, 20);
    out.U8(0x1A);
    out.Text("Zonvel datagen", 20);
    out.U16(0x0104);
    out.U32(kHeaderSize);
    out.U16(static_cast<uint32_t>(module.orders.size()));
    out.U16(0); // restart position: unused, the song is played once
    out.U16(static_cast<uint32_t>(module.channels));
    out.U16(static_cast<uint32_t>(module.patterns.size()));
    out.U16(static_cast<uint32_t>(module.instruments.size()));
    out.U16(1); // linear frequency table
    out.U16(static_cast<uint32_t>(module.speed));
    out.U16(static_cast<uint32_t>(module.bpm));
    for (size_t i = 0; i < 256; ++i)
        out.U8(i < module.orders.size() ? module.orders[i] : 0);

    for (const SXmPattern& pattern : module.patterns)
    {
        if (pattern.channels != module.channels || pattern.rows < 1 || pattern.rows > 256)
            throw std::runtime_error("XM pattern shape does not fit the module: " + module.name);
        const std::vector<uint8_t> packed = PackPattern(pattern);
        if (packed.size() > 0xFFFF)
            throw std::runtime_error("XM pattern too large: " + module.name);
        out.U32(9);
        out.U8(0);
        out.U16(static_cast<uint32_t>(pattern.rows));
        out.U16(static_cast<uint32_t>(packed.size()));
        out.Append(packed);
    }
    for (const SXmInstrument& ins : module.instruments)
        WriteInstrument(out, ins);
    return std::move(out.Bytes());
}
} // namespace NDataGen
