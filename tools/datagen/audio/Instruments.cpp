#include "Instruments.h"

#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace NDataGen
{
namespace
{
constexpr double kMiddleC = 261.6255653;
constexpr double kC4Rate = 8363.0; // the rate at which an untuned sample plays C-4
constexpr double kLowRate = kC4Rate * 2; // pads, leads, bass, bells
constexpr double kDrumRate = 22050.0;
constexpr double kHatRate = kC4Rate * 4;

// Sets relative note and finetune so that content with fundamental `frequency`,
// made at `rate`, sounds at its true pitch relative to middle C on C-4.
void Tune(SXmInstrument& ins, double rate, double frequency)
{
    const double semitones = 12.0 * std::log2(rate * kMiddleC / (kC4Rate * frequency));
    int note = static_cast<int>(std::lround(semitones));
    int fine = static_cast<int>(std::lround((semitones - note) * 128.0));
    fine = std::clamp(fine, -128, 127);
    ins.relativeNote = static_cast<int8_t>(note);
    ins.finetune = static_cast<int8_t>(fine);
}

// Drums and other unpitched one-shots play at their own rate on C-4.
void TuneNative(SXmInstrument& ins, double rate)
{
    Tune(ins, rate, kMiddleC);
}

// A looped wave of `cycles` periods of `period` frames, with a chorus voice
// `detuneCycles` periods long over the same loop so the splice stays seamless.
Signal LoopedChorus(const std::vector<double>& harmonics, int period, int cycles, int detuneCycles, double chorusMix)
{
    const int frames = period * cycles;
    Signal out(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / frames;
        double v = HarmonicWave(harmonics, t * cycles);
        if (chorusMix > 0)
        {
            v += chorusMix * HarmonicWave(harmonics, t * detuneCycles + 0.31);
            v += chorusMix * HarmonicWave(harmonics, t * (2 * cycles - detuneCycles) + 0.67);
        }
        out[static_cast<size_t>(i)] = static_cast<float>(v);
    }
    return out;
}

// One-shot made of decaying partials: ratio to the fundamental, amplitude, decay time in seconds.
struct SPartial
{
    double ratio;
    double amplitude;
    double decay;
};

Signal Partials(double rate, double frequency, double seconds, const std::vector<SPartial>& partials)
{
    const size_t frames = static_cast<size_t>(rate * seconds);
    Signal out(frames);
    for (const SPartial& p : partials)
    {
        if (frequency * p.ratio >= rate * 0.45)
            continue; // would alias
        for (size_t i = 0; i < frames; ++i)
        {
            const double t = static_cast<double>(i) / rate;
            out[i] += static_cast<float>(p.amplitude * std::exp(-t / p.decay) * std::sin(2.0 * kPi * frequency * p.ratio * t));
        }
    }
    return out;
}

SXmEnvelope Envelope(std::vector<std::pair<uint16_t, uint16_t>> points, int sustain)
{
    SXmEnvelope env;
    env.points = std::move(points);
    env.sustain = sustain;
    return env;
}
} // namespace

SXmInstrument MakePad(EPadTone tone)
{
    // 64 frames per period at twice the C-4 rate: the loop holds 128 periods and
    // the chorus voices 127 and 129, about 13 cents apart.
    constexpr int kPeriod = 64;
    std::vector<double> harmonics;
    switch (tone)
    {
    case EPadTone::SoftSaw:
        harmonics = SawHarmonics(24);
        for (size_t k = 0; k < harmonics.size(); ++k)
            harmonics[k] *= std::exp(-static_cast<double>(k) / 6.0);
        break;
    case EPadTone::WarmSquare:
        harmonics = SquareHarmonics(23);
        for (size_t k = 0; k < harmonics.size(); ++k)
            harmonics[k] *= std::exp(-static_cast<double>(k) / 5.0);
        harmonics[1] = 0.12; // a touch of octave keeps it from sounding hollow
        break;
    case EPadTone::Choir:
        harmonics = {1.0, 0.35, 0.5, 0.12, 0.22, 0.05, 0.08, 0.02};
        break;
    }
    SXmInstrument ins;
    ins.name = "pad";
    ins.sample = ToPcm16(LoopedChorus(harmonics, kPeriod, 128, 127, 0.6), 0.9);
    ins.loopStart = 0;
    ins.loopLength = static_cast<uint32_t>(ins.sample.size());
    Tune(ins, kLowRate, kLowRate / kPeriod);
    ins.volumeEnvelope = Envelope({{0, 0}, {28, 58}, {60, 48}, {104, 0}}, 2);
    ins.fadeout = 512;
    ins.vibratoDepth = 2;
    ins.vibratoRate = 6;
    ins.vibratoSweep = 40;
    return ins;
}

SXmInstrument MakeLead(ELeadTone tone)
{
    constexpr int kPeriod = 64;
    std::vector<double> harmonics;
    switch (tone)
    {
    case ELeadTone::Square:
        harmonics = SquareHarmonics(15, 1.15);
        harmonics[1] = 0.18; // slightly off a pure square: rounder, less nasal
        harmonics[3] = 0.06;
        break;
    case ELeadTone::Flute:
        harmonics = {1.0, 0.25, 0.12, 0.05, 0.03, 0.015};
        break;
    case ELeadTone::SoftSaw:
        harmonics = SawHarmonics(15, 1.25);
        break;
    }
    SXmInstrument ins;
    ins.name = "lead";
    ins.sample = ToPcm16(LoopedChorus(harmonics, kPeriod, 128, 127, 0.25), 0.9);
    ins.loopLength = static_cast<uint32_t>(ins.sample.size());
    Tune(ins, kLowRate, kLowRate / kPeriod);
    ins.volumeEnvelope = Envelope({{0, 40}, {3, 64}, {14, 50}, {34, 0}}, 2);
    ins.fadeout = 1024;
    ins.vibratoDepth = 3;
    ins.vibratoRate = 10;
    ins.vibratoSweep = 60;
    return ins;
}

SXmInstrument MakePluckBass(bool round)
{
    // A bright attack that settles on one steady period: the attack is a whole
    // number of periods, so the loop on the last period joins without a seam.
    constexpr int kPeriod = 128; // C-3 at twice the C-4 rate
    constexpr int kAttackPeriods = 40;
    const int harmonicCount = round ? 10 : 24;
    const int frames = kPeriod * (kAttackPeriods + 1);
    Signal out(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
    {
        const double t = std::min(i, kPeriod * kAttackPeriods) / kLowRate; // frozen in the loop
        const double phase = static_cast<double>(i) / kPeriod;
        double v = 0;
        for (int k = 1; k <= harmonicCount; ++k)
        {
            const double steady = std::exp(-(k - 1) / (round ? 1.5 : 2.5)) / k;
            const double bright = (round ? 0.6 : 1.0) / k;
            const double a = steady + (bright - steady) * std::exp(-t * (8.0 + 3.0 * k));
            v += a * std::sin(2.0 * kPi * k * phase);
        }
        out[static_cast<size_t>(i)] = static_cast<float>(v);
    }
    SXmInstrument ins;
    ins.name = "bass";
    ins.sample = ToPcm16(out, 0.9);
    ins.loopStart = static_cast<uint32_t>(kPeriod * kAttackPeriods);
    ins.loopLength = kPeriod;
    Tune(ins, kLowRate, kLowRate / kPeriod);
    ins.volumeEnvelope = Envelope({{0, 64}, {8, 52}, {40, 36}, {120, 26}}, -1);
    ins.fadeout = 3000;
    return ins;
}

SXmInstrument MakeBell()
{
    // FM bell: a 1 : 3.5 modulator whose index falls quickly, so the strike
    // shimmers and the tail is almost a pure tone.
    const double f = NoteFrequency(72);
    const double seconds = 1.1;
    const size_t frames = static_cast<size_t>(kLowRate * seconds);
    Signal out(frames);
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / kLowRate;
        const double index = 1.6 * std::exp(-t / 0.12) + 0.25;
        const double mod = index * std::sin(2.0 * kPi * 3.5 * f * t);
        const double amp = std::exp(-t / 0.38) * std::min(1.0, t / 0.002);
        out[i] = static_cast<float>(amp * (std::sin(2.0 * kPi * f * t + mod) + 0.25 * std::sin(2.0 * kPi * 2.0 * f * t)));
    }
    SoftenEdges(out, 0, 400);
    SXmInstrument ins;
    ins.name = "bell";
    ins.sample = ToPcm16(out, 0.9);
    Tune(ins, kLowRate, f);
    ins.panning = 150;
    return ins;
}

SXmInstrument MakeMallet()
{
    // Marimba-like: the fundamental, the bar's fourth partial and a short knock.
    const double f = NoteFrequency(72);
    Signal out = Partials(kLowRate, f, 0.7, {{1.0, 1.0, 0.28}, {3.93, 0.35, 0.045}, {9.2, 0.12, 0.012}, {2.0, 0.1, 0.15}});
    for (size_t i = 0; i < out.size() && i < 40; ++i)
        out[i] *= static_cast<float>(i) / 40.0f;
    SoftenEdges(out, 0, 300);
    SXmInstrument ins;
    ins.name = "mallet";
    ins.sample = ToPcm16(out, 0.9);
    Tune(ins, kLowRate, f);
    ins.panning = 100;
    return ins;
}

SXmInstrument MakeKick()
{
    const double seconds = 0.36;
    const size_t frames = static_cast<size_t>(kDrumRate * seconds);
    Signal out(frames);
    double phase = 0;
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / kDrumRate;
        const double freq = 48.0 + 110.0 * std::exp(-t / 0.035);
        phase += freq / kDrumRate;
        const double body = std::exp(-t / 0.13) * std::sin(2.0 * kPi * phase);
        const double click = std::exp(-t / 0.004) * std::sin(2.0 * kPi * 1100.0 * t) * 0.25;
        out[i] = static_cast<float>(std::tanh(1.4 * (body + click)));
    }
    SoftenEdges(out, 0, 600);
    SXmInstrument ins;
    ins.name = "kick";
    ins.sample = ToPcm16(out, 0.95);
    TuneNative(ins, kDrumRate);
    return ins;
}

SXmInstrument MakeSnare(uint64_t seed)
{
    CNoise noise(seed);
    const double seconds = 0.26;
    const size_t frames = static_cast<size_t>(kDrumRate * seconds);
    Signal out(frames);
    CStateVariableFilter filter(kDrumRate, 0.9);
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / kDrumRate;
        filter.Process(noise.Bipolar(), 5200.0);
        const double rattle = filter.BandPass() * std::exp(-t / 0.07) + 0.3 * filter.HighPass() * std::exp(-t / 0.03);
        const double body = std::exp(-t / 0.045) * (std::sin(2.0 * kPi * 190.0 * t) + 0.5 * std::sin(2.0 * kPi * 330.0 * t));
        out[i] = static_cast<float>(0.8 * rattle + 0.7 * body);
    }
    SoftenEdges(out, 8, 500);
    SXmInstrument ins;
    ins.name = "snare";
    ins.sample = ToPcm16(out, 0.9);
    TuneNative(ins, kDrumRate);
    return ins;
}

namespace
{
// Metallic noise: six detuned square waves (the classic drum-machine cymbal)
// mixed with white noise, high-passed.
Signal MetalNoise(uint64_t seed, double seconds, double decay)
{
    CNoise noise(seed);
    const double freqs[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    const size_t frames = static_cast<size_t>(kHatRate * seconds);
    Signal out(frames);
    CStateVariableFilter high(kHatRate, 0.7);
    CStateVariableFilter high2(kHatRate, 0.7);
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / kHatRate;
        double metal = 0;
        for (double f : freqs)
            metal += std::sin(2.0 * kPi * f * t) > 0 ? 1.0 : -1.0;
        const double raw = metal / 6.0 * 0.6 + noise.Bipolar() * 0.7;
        high.Process(static_cast<float>(raw), 6500.0);
        high2.Process(high.HighPass(), 6000.0);
        out[i] = static_cast<float>(high2.HighPass() * std::exp(-t / decay));
    }
    return out;
}
} // namespace

SXmInstrument MakeClosedHat(uint64_t seed)
{
    Signal out = MetalNoise(seed, 0.07, 0.018);
    SoftenEdges(out, 4, 200);
    SXmInstrument ins;
    ins.name = "hat";
    ins.sample = ToPcm16(out, 0.8);
    TuneNative(ins, kHatRate);
    ins.panning = 160;
    return ins;
}

SXmInstrument MakeOpenHat(uint64_t seed)
{
    Signal out = MetalNoise(seed, 0.4, 0.12);
    SoftenEdges(out, 4, 1500);
    SXmInstrument ins;
    ins.name = "open hat";
    ins.sample = ToPcm16(out, 0.8);
    TuneNative(ins, kHatRate);
    ins.panning = 96;
    return ins;
}
} // namespace NDataGen
