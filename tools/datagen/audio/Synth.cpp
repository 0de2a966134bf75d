#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace NDataGen
{
uint32_t CNoise::Next()
{
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return static_cast<uint32_t>((m_state * 0x2545F4914F6CDD1Dull) >> 32);
}

float CNoise::Bipolar()
{
    return static_cast<float>(Unit() * 2.0 - 1.0);
}

double CNoise::Unit()
{
    return Next() / 4294967296.0;
}

int CNoise::Below(int n)
{
    return n <= 1 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n));
}

float CStateVariableFilter::Process(float in, double cutoff)
{
    // Two passes per sample keep the filter stable up to a quarter of the rate.
    const double f = 2.0 * std::sin(kPi * std::min(cutoff, m_rate * 0.24) / (2.0 * m_rate));
    for (int pass = 0; pass < 2; ++pass)
    {
        m_low += f * m_band;
        m_high = in - m_low - m_damping * m_band;
        m_band += f * m_high;
    }
    return static_cast<float>(m_low);
}

double NoteFrequency(double midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

double HarmonicWave(const std::vector<double>& amplitudes, double phase)
{
    double sum = 0;
    for (size_t k = 0; k < amplitudes.size(); ++k)
        if (amplitudes[k] != 0)
            sum += amplitudes[k] * std::sin(2.0 * kPi * static_cast<double>(k + 1) * phase);
    return sum;
}

std::vector<double> SawHarmonics(int count, double rolloff)
{
    std::vector<double> a(static_cast<size_t>(count));
    for (int k = 1; k <= count; ++k)
        a[static_cast<size_t>(k - 1)] = std::pow(1.0 / k, rolloff);
    return a;
}

std::vector<double> SquareHarmonics(int count, double rolloff)
{
    std::vector<double> a(static_cast<size_t>(count));
    for (int k = 1; k <= count; k += 2)
        a[static_cast<size_t>(k - 1)] = std::pow(1.0 / k, rolloff);
    return a;
}

std::vector<double> TriangleHarmonics(int count)
{
    std::vector<double> a(static_cast<size_t>(count));
    for (int k = 1; k <= count; k += 2)
        a[static_cast<size_t>(k - 1)] = ((k / 2) % 2 ? -1.0 : 1.0) / (k * k);
    return a;
}

std::vector<int16_t> ToPcm16(const Signal& signal, double peak)
{
    float maxAbs = 0;
    for (float s : signal)
        maxAbs = std::max(maxAbs, std::fabs(s));
    const double gain = maxAbs > 0 ? peak * 32767.0 / maxAbs : 0.0;
    std::vector<int16_t> out(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
    {
        const long v = std::lround(signal[i] * gain);
        out[i] = static_cast<int16_t>(std::clamp(v, -32767L, 32767L));
    }
    return out;
}

void SoftenEdges(Signal& signal, int fadeInFrames, int fadeOutFrames)
{
    const int n = static_cast<int>(signal.size());
    for (int i = 0; i < fadeInFrames && i < n; ++i)
        signal[static_cast<size_t>(i)] *= static_cast<float>(i) / static_cast<float>(fadeInFrames);
    for (int i = 0; i < fadeOutFrames && i < n; ++i)
        signal[static_cast<size_t>(n - 1 - i)] *= static_cast<float>(i) / static_cast<float>(fadeOutFrames);
}
} // namespace NDataGen
