// Small audio files made in memory for the sound tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace NTestAudio
{
inline void Put(std::vector<uint8_t>& out, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}
inline void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}
inline void PutText(std::vector<uint8_t>& out, const std::string& text, size_t width)
{
    std::string padded = text;
    padded.resize(width, ' ');
    Put(out, padded.data(), width);
}

// A one-pattern FastTracker 2 module: 8 rows, one note of a square-wave
// sample at row 0; it lasts about a second.
inline std::vector<uint8_t> MakeModule()
{
    std::vector<uint8_t> xm;
    PutText(xm, "Extended Module: ", 17);
    PutText(xm, "test", 20);
    xm.push_back(0x1A);
    PutText(xm, "zonvel test", 20);
    Put16(xm, 0x0104);
    Put32(xm, 276);  // header size from this field
    Put16(xm, 1);    // song length
    Put16(xm, 0);    // restart position
    Put16(xm, 2);    // channels
    Put16(xm, 1);    // patterns
    Put16(xm, 1);    // instruments
    Put16(xm, 1);    // linear frequencies
    Put16(xm, 6);    // tempo
    Put16(xm, 125);  // BPM
    xm.resize(xm.size() + 256, 0); // order table: pattern 0

    const int rows = 8;
    std::vector<uint8_t> pattern = {0x83, 49, 1, 0x80}; // C-4 of instrument 1; empty channel
    for (int r = 1; r < rows; ++r)
    {
        pattern.push_back(0x80);
        pattern.push_back(0x80);
    }
    Put32(xm, 9);
    xm.push_back(0);
    Put16(xm, rows);
    Put16(xm, static_cast<uint16_t>(pattern.size()));
    Put(xm, pattern.data(), pattern.size());

    const uint32_t sampleLength = 8000;
    size_t instrumentStart = xm.size();
    Put32(xm, 263);
    PutText(xm, "square", 22);
    xm.push_back(0);
    Put16(xm, 1);  // samples
    Put32(xm, 40); // sample header size
    xm.resize(instrumentStart + 263, 0); // note map, envelopes (off), vibrato, fade-out
    Put32(xm, sampleLength);
    Put32(xm, 0);
    Put32(xm, 0);
    xm.push_back(64);  // volume
    xm.push_back(0);   // finetune
    xm.push_back(0);   // 8-bit, no loop
    xm.push_back(128); // panning
    xm.push_back(0);   // relative note
    xm.push_back(0);
    PutText(xm, "square", 22);
    int8_t previous = 0;
    for (uint32_t i = 0; i < sampleLength; ++i)
    {
        int8_t value = (i / 16) % 2 ? 90 : -90;
        xm.push_back(static_cast<uint8_t>(static_cast<int8_t>(value - previous))); // delta coded
        previous = value;
    }
    return xm;
}

// One second of 8-bit mono square wave.
inline std::vector<uint8_t> MakeWave()
{
    const uint32_t rate = 22050, count = rate;
    std::vector<uint8_t> wav;
    Put(wav, "RIFF", 4);
    Put32(wav, 36 + count);
    Put(wav, "WAVEfmt ", 8);
    Put32(wav, 16);
    Put16(wav, 1);
    Put16(wav, 1);
    Put32(wav, rate);
    Put32(wav, rate);
    Put16(wav, 1);
    Put16(wav, 8);
    Put(wav, "data", 4);
    Put32(wav, count);
    for (uint32_t i = 0; i < count; ++i)
        wav.push_back((i / 25) % 2 ? 200 : 56);
    return wav;
}

} // namespace NTestAudio
