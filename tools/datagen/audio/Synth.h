// Small building blocks for the generated sounds: a seeded noise source,
// filters and band-limited waves. Everything works on float buffers in -1..1
// and is deterministic: no clock, no global state.
#pragma once

#include <cstdint>
#include <vector>

namespace NDataGen
{
using Signal = std::vector<float>;

constexpr double kPi = 3.14159265358979323846;

// xorshift64*: the same seed gives the same numbers on every machine.
class CNoise
{
public:
    explicit CNoise(uint64_t seed) : m_state(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    uint32_t Next();
    float Bipolar(); // -1..1
    double Unit(); // 0..1
    int Below(int n); // 0..n-1
    bool Chance(double p) { return Unit() < p; }

private:
    uint64_t m_state;
};

// Chamberlin state-variable filter; cutoff in Hz, resonance damping 0.1 (sharp) .. 2 (soft).
class CStateVariableFilter
{
public:
    CStateVariableFilter(double sampleRate, double damping) : m_rate(sampleRate), m_damping(damping) {}
    // Returns the low-pass output; BandPass()/HighPass() give the other taps of the same step.
    float Process(float in, double cutoff);
    float BandPass() const { return static_cast<float>(m_band); }
    float HighPass() const { return static_cast<float>(m_high); }

private:
    double m_rate;
    double m_damping;
    double m_low = 0, m_band = 0, m_high = 0;
};

double NoteFrequency(double midiNote); // 69 = 440 Hz
// A band-limited periodic wave: sum of harmonics 1..count with the given amplitude per harmonic
// (amplitudes[k-1]); phase in cycles.
double HarmonicWave(const std::vector<double>& amplitudes, double phase);
std::vector<double> SawHarmonics(int count, double rolloff = 1.0);
std::vector<double> SquareHarmonics(int count, double rolloff = 1.0);
std::vector<double> TriangleHarmonics(int count);

// Scales so that the peak is `peak` (0..1) and converts to 16-bit.
std::vector<int16_t> ToPcm16(const Signal& signal, double peak);
// Short fades at both ends so a one-shot never starts or stops with a click.
void SoftenEdges(Signal& signal, int fadeInFrames, int fadeOutFrames);
} // namespace NDataGen
