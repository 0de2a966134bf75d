// An in-memory FastTracker II extended module (format version 1.04) and its
// serialiser. Patterns are kept unpacked and packed on writing; every
// instrument holds one 16-bit sample, stored delta-encoded as the format wants.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace NDataGen
{
constexpr uint8_t kXmKeyOff = 97;
// Volume-column byte for a plain "set volume" (0..64).
constexpr uint8_t XmVolume(int volume) { return static_cast<uint8_t>(0x10 + (volume < 0 ? 0 : volume > 64 ? 64 : volume)); }

struct SXmCell
{
    uint8_t note = 0; // 1..96, kXmKeyOff, 0 = none
    uint8_t instrument = 0; // 1-based, 0 = none
    uint8_t volume = 0; // volume-column byte, 0 = none
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct SXmPattern
{
    int rows = 64;
    int channels = 0;
    std::vector<SXmCell> cells; // row-major

    SXmPattern(int rowCount, int channelCount);
    SXmCell& At(int row, int channel) { return cells[static_cast<size_t>(row * channels + channel)]; }
    const SXmCell& At(int row, int channel) const { return cells[static_cast<size_t>(row * channels + channel)]; }
};

struct SXmEnvelope
{
    std::vector<std::pair<uint16_t, uint16_t>> points; // (tick, value 0..64); empty = off
    int sustain = -1; // index of the sustain point, -1 = none
};

struct SXmInstrument
{
    std::string name;
    std::vector<int16_t> sample;
    uint32_t loopStart = 0; // in sample frames
    uint32_t loopLength = 0; // 0 = one-shot
    uint8_t volume = 64;
    uint8_t panning = 128;
    int8_t relativeNote = 0;
    int8_t finetune = 0; // 1/128 semitone
    SXmEnvelope volumeEnvelope;
    uint16_t fadeout = 0;
    uint8_t vibratoDepth = 0;
    uint8_t vibratoRate = 0;
    uint8_t vibratoSweep = 0;
};

struct SXmModule
{
    std::string name;
    int channels = 8;
    int speed = 6; // ticks per row
    int bpm = 125;
    std::vector<uint8_t> orders;
    std::vector<SXmPattern> patterns;
    std::vector<SXmInstrument> instruments;
};

std::vector<uint8_t> WriteXm(const SXmModule& module);
} // namespace NDataGen
