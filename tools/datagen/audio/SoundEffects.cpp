#include "SoundEffects.h"

#include "Synth.h"
#include "Wav.h"

#include <algorithm>
#include <cmath>

namespace NDataGen
{
namespace
{
constexpr double kRate = kEffectRate;

struct SVoice
{
    double start = 0; // seconds
    double length = 0.2;
    double frequency = 440;
    double glideTo = 0; // target frequency, 0 = steady
    double glideTime = 0.05; // time constant of the glide
    std::vector<double> harmonics = {1.0};
    double attack = 0.005;
    double decay = 0; // exponential time constant, 0 = none
    double release = 0.03; // linear fade at the end
    double vibratoDepth = 0; // semitones
    double vibratoRate = 5;
    double gain = 1;
    double brightnessDecay = 0; // upper harmonics fade with this time constant, 0 = steady
};

void AddVoice(Signal& out, const SVoice& v)
{
    const size_t first = static_cast<size_t>(v.start * kRate);
    const size_t frames = static_cast<size_t>(v.length * kRate);
    if (out.size() < first + frames)
        out.resize(first + frames);
    double phase = 0;
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        double f = v.frequency;
        if (v.glideTo > 0)
            f = v.glideTo + (v.frequency - v.glideTo) * std::exp(-t / v.glideTime);
        if (v.vibratoDepth > 0)
            f *= std::pow(2.0, v.vibratoDepth / 12.0 * std::sin(2.0 * kPi * v.vibratoRate * t) * std::min(1.0, t / 0.15));
        phase += f / kRate;
        double sample = 0;
        for (size_t k = 0; k < v.harmonics.size(); ++k)
        {
            const double partial = f * static_cast<double>(k + 1);
            if (partial > 16000.0)
                break;
            double a = v.harmonics[k];
            if (k > 0 && v.brightnessDecay > 0)
                a *= std::exp(-t * static_cast<double>(k) / v.brightnessDecay);
            sample += a * std::sin(2.0 * kPi * static_cast<double>(k + 1) * phase);
        }
        double env = std::min(1.0, t / v.attack);
        if (v.decay > 0)
            env *= std::exp(-t / v.decay);
        const double remaining = v.length - t;
        if (remaining < v.release)
            env *= remaining / v.release;
        out[first + i] += static_cast<float>(v.gain * env * sample);
    }
}

// A struck bell-like tone: a few partials that die away at different speeds;
// decayScale stretches the ring.
void AddChime(Signal& out, double start, double frequency, double length, double gain, double decayScale)
{
    const double ratios[] = {1.0, 2.0, 3.0, 4.2, 5.4};
    const double amps[] = {1.0, 0.45, 0.2, 0.12, 0.06};
    const double decays[] = {0.45, 0.25, 0.12, 0.07, 0.04};
    for (int k = 0; k < 5; ++k)
    {
        SVoice v;
        v.start = start;
        v.length = length;
        v.frequency = frequency * ratios[k];
        v.attack = 0.002;
        v.decay = decays[k] * decayScale;
        v.release = std::min(0.2, length * 0.3);
        v.gain = gain * amps[k];
        AddVoice(out, v);
    }
}

std::vector<uint8_t> Finish(Signal signal, double peak)
{
    SoftenEdges(signal, 32, 256);
    return EncodeWav(ToPcm16(signal, peak), 1, kEffectRate);
}

// A move: a soft rising "bloop", over in a quarter of a second.
std::vector<uint8_t> StartPaint()
{
    Signal s;
    SVoice body;
    body.length = 0.22;
    body.frequency = 330;
    body.glideTo = 700;
    body.glideTime = 0.035;
    body.harmonics = {1.0, 0.25, 0.08};
    body.attack = 0.004;
    body.decay = 0.06;
    AddVoice(s, body);
    SVoice sparkle;
    sparkle.start = 0.045;
    sparkle.length = 0.16;
    sparkle.frequency = 1400;
    sparkle.attack = 0.003;
    sparkle.decay = 0.04;
    sparkle.gain = 0.25;
    AddVoice(s, sparkle);
    return Finish(s, 0.55);
}

// A refused move: two low, dull "uh-uh" notes going down.
std::vector<uint8_t> WrongPaint()
{
    Signal s;
    const double notes[] = {NoteFrequency(55), NoteFrequency(50)};
    for (int i = 0; i < 2; ++i)
    {
        SVoice v;
        v.start = i * 0.15;
        v.length = i == 0 ? 0.13 : 0.22;
        v.frequency = notes[i] * 1.03;
        v.glideTo = notes[i] * 0.97;
        v.glideTime = 0.12;
        v.harmonics = {1.0, 0.0, 0.33, 0.0, 0.2, 0.0, 0.14, 0.0, 0.1};
        v.brightnessDecay = 0.5;
        v.attack = 0.006;
        v.decay = 0.12;
        v.release = 0.04;
        AddVoice(s, v);
    }
    return Finish(s, 0.45);
}

// A won level: a rising major arpeggio on chimes that opens into a chord.
std::vector<uint8_t> LevelComplete()
{
    Signal s;
    const int melody[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
        AddChime(s, i * 0.11, NoteFrequency(melody[i]), i == 3 ? 1.8 : 0.5, i == 3 ? 0.8 : 0.6, i == 3 ? 1.0 : 0.5);
    for (int note : {60, 64, 67})
    {
        SVoice pad;
        pad.start = 0.33;
        pad.length = 1.2;
        pad.frequency = NoteFrequency(note);
        pad.harmonics = {1.0, 0.3, 0.15, 0.05};
        pad.attack = 0.05;
        pad.decay = 0.5;
        pad.release = 0.3;
        pad.vibratoDepth = 0.08;
        pad.gain = 0.25;
        AddVoice(s, pad);
    }
    return Finish(s, 0.75);
}

// A lost life: the sad "wah, wah, wah, waaah" going down by semitones.
std::vector<uint8_t> LifeLost()
{
    Signal s;
    const int notes[] = {67, 66, 65, 64};
    double start = 0;
    for (int i = 0; i < 4; ++i)
    {
        const bool last = i == 3;
        SVoice v;
        v.start = start;
        v.length = last ? 0.75 : 0.2;
        v.frequency = NoteFrequency(notes[i]);
        if (last)
        {
            v.glideTo = NoteFrequency(63.3);
            v.glideTime = 0.6;
        }
        v.harmonics = {1.0, 0.5, 0.3, 0.18, 0.1, 0.06};
        v.brightnessDecay = last ? 0.35 : 0.12;
        v.attack = 0.02;
        v.release = last ? 0.3 : 0.05;
        v.vibratoDepth = last ? 0.25 : 0.0;
        v.vibratoRate = 5.5;
        v.gain = 0.8;
        AddVoice(s, v);
        start += 0.24;
    }
    return Finish(s, 0.55);
}

// The game is over: a slow fall through C minor onto a low chord that fades.
std::vector<uint8_t> GameOver()
{
    Signal s;
    const int notes[] = {72, 67, 63, 60};
    for (int i = 0; i < 4; ++i)
    {
        SVoice v;
        v.start = i * 0.32;
        v.length = i == 3 ? 1.6 : 0.4;
        v.frequency = NoteFrequency(notes[i]);
        v.harmonics = {1.0, 0.0, 0.28, 0.0, 0.12, 0.0, 0.05};
        v.brightnessDecay = 0.4;
        v.attack = 0.015;
        v.decay = i == 3 ? 0.8 : 0.3;
        v.release = i == 3 ? 0.5 : 0.08;
        v.vibratoDepth = i == 3 ? 0.12 : 0.0;
        v.gain = 0.7;
        AddVoice(s, v);
    }
    for (int note : {48, 51, 55})
    {
        SVoice pad;
        pad.start = 0.96;
        pad.length = 1.7;
        pad.frequency = NoteFrequency(note);
        pad.harmonics = {1.0, 0.35, 0.15, 0.08};
        pad.attack = 0.15;
        pad.decay = 0.9;
        pad.release = 0.6;
        pad.gain = 0.3;
        AddVoice(s, pad);
    }
    return Finish(s, 0.75);
}

// A bonus acts: a quick sparkling run upwards with a glittering tail.
std::vector<uint8_t> Bonus()
{
    Signal s;
    const int run[] = {79, 84, 88, 91, 96};
    for (int i = 0; i < 5; ++i)
        AddChime(s, i * 0.05, NoteFrequency(run[i]), i == 4 ? 0.7 : 0.35, 0.5, i == 4 ? 0.5 : 0.3);
    CNoise noise(0xB0);
    CStateVariableFilter filter(kRate, 0.5);
    const size_t start = static_cast<size_t>(0.05 * kRate);
    const size_t frames = static_cast<size_t>(0.65 * kRate);
    if (s.size() < start + frames)
        s.resize(start + frames);
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / kRate;
        filter.Process(noise.Bipolar(), 9000.0);
        // Random glints: the noise only passes in short bursts.
        const double glint = 0.5 + 0.5 * std::sin(2.0 * kPi * 23.0 * t) * std::sin(2.0 * kPi * 37.0 * t);
        s[start + i] += static_cast<float>(0.12 * filter.HighPass() * glint * std::exp(-t / 0.25) * std::min(1.0, t / 0.02));
    }
    return Finish(s, 0.65);
}

// A button: a short, light wooden tick.
std::vector<uint8_t> ButtonClick()
{
    Signal s;
    SVoice tick;
    tick.length = 0.05;
    tick.frequency = 1750;
    tick.harmonics = {1.0, 0.0, 0.3};
    tick.attack = 0.0008;
    tick.decay = 0.009;
    tick.release = 0.01;
    AddVoice(s, tick);
    SVoice body;
    body.length = 0.05;
    body.frequency = 620;
    body.attack = 0.0008;
    body.decay = 0.014;
    body.release = 0.01;
    body.gain = 0.6;
    AddVoice(s, body);
    return Finish(s, 0.5);
}
} // namespace

std::vector<std::pair<std::string, std::vector<uint8_t>>> MakeSoundEffects()
{
    return {{"start_paint.wav", StartPaint()}, {"wrong_paint.wav", WrongPaint()}, {"lev_complete.wav", LevelComplete()},
            {"life_lost.wav", LifeLost()},     {"game_over.wav", GameOver()},     {"bonus.wav", Bonus()},
            {"btn_click.wav", ButtonClick()}};
}
} // namespace NDataGen
