#include "Composer.h"

#include "Synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace NDataGen
{
namespace
{
constexpr int kRowsPerBar = 16; // sixteenth notes
constexpr int kRowsPerPattern = 64;
constexpr int kSectionBars = 8;
constexpr int kEdgeBars = 4; // intro and outro

// Channels.
constexpr int kLead = 0;
constexpr int kCounter = 1;
constexpr int kBass = 2;
constexpr int kPad = 3; // three voices: 3, 4, 5; a second set (kPadAlt) takes every other chord
constexpr int kKick = 6;
constexpr int kSnare = 7;
constexpr int kHat = 8;
constexpr int kCymbal = 9;
constexpr int kLeadEcho = 10;
constexpr int kCounterEcho = 11;
constexpr int kPadAlt = 12; // 12, 13, 14
constexpr int kChannels = 16; // the format wants an even count; 15 stays free
constexpr int kEchoRows = 3; // a dotted eighth behind
// Every note's volume is lifted by this much: the mixer's module player leaves
// sixteen channels of these volumes about 24 dB RMS below full scale at the
// default music volume, where the tunes should sit near -21 dB under the
// effects. The loudest bass and kick notes stop at the format's ceiling of 64.
constexpr double kNoteGain = 1.33;

// Instruments, 1-based as the pattern data counts them.
constexpr uint8_t kInsLead = 1;
constexpr uint8_t kInsPad = 2;
constexpr uint8_t kInsBass = 3;
constexpr uint8_t kInsBell = 4;
constexpr uint8_t kInsMallet = 5;
constexpr uint8_t kInsKick = 6;
constexpr uint8_t kInsSnare = 7;
constexpr uint8_t kInsHat = 8;
constexpr uint8_t kInsOpenHat = 9;

constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};
constexpr int kMelodyLow = 62; // MIDI pitches the lead stays within
constexpr int kMelodyHigh = 84;

int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int Mod(int a, int b)
{
    return ((a % b) + b) % b;
}

using Progression = std::array<int, 4>; // chord roots as scale degrees, one per bar

const std::vector<Progression> kVerseProgressions = {
    {0, 5, 3, 4}, {0, 3, 4, 3}, {0, 4, 5, 3}, {0, 3, 1, 4}, {0, 2, 3, 4}, {0, 5, 1, 4}};
const std::vector<Progression> kChorusProgressions = {
    {3, 4, 0, 5}, {3, 4, 2, 5}, {5, 3, 0, 4}, {3, 0, 4, 5}, {0, 3, 4, 4}};
const std::vector<Progression> kBridgeProgressions = {{5, 3, 0, 4}, {1, 4, 0, 5}, {3, 2, 1, 4}, {5, 4, 3, 4}};

struct SPhraseNote
{
    int row; // from the start of the phrase
    int length;
    int degree; // scale degree from the melody's tonic
};

class CSongWriter
{
public:
    CSongWriter(const SSongPlan& plan)
        : m_plan(plan), m_rng(plan.seed), m_melody_tonic(60 + plan.key + (plan.key < 5 ? 12 : 0))
    {
        m_verse = kVerseProgressions[static_cast<size_t>(m_rng.Below(static_cast<int>(kVerseProgressions.size())))];
        m_chorus = kChorusProgressions[static_cast<size_t>(m_rng.Below(static_cast<int>(kChorusProgressions.size())))];
        m_bridge = kBridgeProgressions[static_cast<size_t>(m_rng.Below(static_cast<int>(kBridgeProgressions.size())))];
    }

    SXmModule Build();

private:
    // Pitch of a scale degree counted from the melody's tonic.
    int DegreePitch(int degree, int tonic) const
    {
        return tonic + 12 * FloorDiv(degree, 7) + kMajor[static_cast<size_t>(Mod(degree, 7))];
    }
    static bool IsChordTone(int degree, int chordRoot)
    {
        const int d = Mod(degree - chordRoot, 7);
        return d == 0 || d == 2 || d == 4;
    }
    bool InMelodyRange(int degree) const
    {
        const int p = DegreePitch(degree, m_melody_tonic);
        return p >= kMelodyLow && p <= kMelodyHigh;
    }
    int ClampDegree(int degree) const
    {
        while (!InMelodyRange(degree) && DegreePitch(degree, m_melody_tonic) < kMelodyLow)
            ++degree;
        while (!InMelodyRange(degree) && DegreePitch(degree, m_melody_tonic) > kMelodyHigh)
            --degree;
        return degree;
    }
    int SnapToChord(int degree, int chordRoot, int direction) const
    {
        if (IsChordTone(degree, chordRoot) && InMelodyRange(degree))
            return degree;
        const int first = direction >= 0 ? 1 : -1;
        for (int distance = 1; distance < 4; ++distance)
            for (int sign : {first, -first})
            {
                const int d = degree + sign * distance;
                if (IsChordTone(d, chordRoot) && InMelodyRange(d))
                    return d;
            }
        return ClampDegree(degree);
    }

    std::vector<std::pair<int, int>> MakeRhythm(double density, int rows);
    std::vector<SPhraseNote> MakePhrase(const std::array<int, 8>& chords, double density, bool endOnTonic);
    std::array<int, 8> SectionChords(ESection section) const;

    void Put(int row, int channel, int midiPitch, uint8_t instrument, int volume)
    {
        SXmCell& cell = m_grid[static_cast<size_t>(row * kChannels + channel)];
        cell.note = static_cast<uint8_t>(std::clamp(midiPitch - 11, 1, 96)); // XM C-4 (49) is MIDI 60
        cell.instrument = instrument;
        cell.volume = XmVolume(static_cast<int>(std::lround(volume * kNoteGain)));
    }
    void KeyOff(int row, int channel)
    {
        if (row >= m_total_rows)
            return;
        SXmCell& cell = m_grid[static_cast<size_t>(row * kChannels + channel)];
        if (cell.note == 0)
            cell.note = kXmKeyOff;
    }
    void Effect(int row, int channel, uint8_t effect, uint8_t param)
    {
        SXmCell& cell = m_grid[static_cast<size_t>(row * kChannels + channel)];
        cell.effect = effect;
        cell.param = param;
    }

    // The tracker's way to a sense of space: the same notes, later, softer and off to one side.
    void AddEcho(int source, int target, uint8_t panning)
    {
        for (int row = 0; row + kEchoRows < m_total_rows; ++row)
        {
            const SXmCell& from = m_grid[static_cast<size_t>(row * kChannels + source)];
            SXmCell& to = m_grid[static_cast<size_t>((row + kEchoRows) * kChannels + target)];
            if (from.note == 0)
                continue;
            to.note = from.note;
            to.instrument = from.instrument;
            if (from.volume)
                to.volume = XmVolume((from.volume - 0x10) * 3 / 10);
            if (from.note != kXmKeyOff)
            {
                to.effect = 0x08;
                to.param = panning;
            }
        }
    }
    void WriteMelody(int startRow, const std::vector<SPhraseNote>& phrase, int volume);
    void WriteCounter(int startRow, ESection section, const std::array<int, 8>& chords,
                      const std::vector<SPhraseNote>& phrase, int bars);
    void WritePad(int startRow, const std::array<int, 8>& chords, int bars);
    void WriteBass(int startRow, const std::array<int, 8>& chords, int bars, bool sparse);
    void WriteDrums(int startRow, ESection section, int bars, bool fill);

    const SSongPlan& m_plan;
    CNoise m_rng;
    int m_melody_tonic;
    Progression m_verse{}, m_chorus{}, m_bridge{};
    std::vector<SXmCell> m_grid;
    int m_total_rows = 0;
    std::array<int, 3> m_voicing = {0, 0, 0};
    int m_pad_set = 0;
};

std::array<int, 8> CSongWriter::SectionChords(ESection section) const
{
    const Progression& p = section == ESection::Chorus   ? m_chorus
                            : section == ESection::Bridge ? m_bridge
                                                          : m_verse;
    return {p[0], p[1], p[2], p[3], p[0], p[1], p[2], p[3]};
}

// Onsets and lengths (in rows) filling `rows`; denser phrases use shorter notes.
std::vector<std::pair<int, int>> CSongWriter::MakeRhythm(double density, int rows)
{
    std::vector<std::pair<int, int>> notes;
    int t = 0;
    while (t < rows)
    {
        const double r = m_rng.Unit();
        int length;
        if (r < 0.30 * density)
            length = 2;
        else if (r < 0.75)
            length = 4;
        else if (r < 0.85)
            length = 6;
        else if (r < 0.97)
            length = 8;
        else
            length = 12;
        if (t % 4 == 2 && length > 2 && m_rng.Chance(0.5))
            length = 2; // get back onto the beat
        length = std::min(length, rows - t);
        if (t > 0 && m_rng.Chance(0.12))
        {
            t += std::min(2, rows - t); // a short breath
            continue;
        }
        notes.push_back({t, length});
        t += length;
    }
    return notes;
}

std::vector<SPhraseNote> CSongWriter::MakePhrase(const std::array<int, 8>& chords, double density, bool endOnTonic)
{
    constexpr int kMotifRows = 2 * kRowsPerBar;
    const auto rhythm = MakeRhythm(density, kMotifRows);

    // The motif's degrees over the first two chords.
    std::vector<int> motif;
    int previous = SnapToChord(m_rng.Chance(0.5) ? 2 : 4, chords[0], 1);
    for (size_t i = 0; i < rhythm.size(); ++i)
    {
        const auto [row, length] = rhythm[i];
        const int chord = chords[static_cast<size_t>(row / kRowsPerBar)];
        int degree = previous;
        if (i > 0)
        {
            const double r = m_rng.Unit();
            int step = r < 0.32 ? 1 : r < 0.64 ? -1 : r < 0.76 ? 2 : r < 0.88 ? -2 : r < 0.94 ? 0 : (m_rng.Chance(0.5) ? 3 : -3);
            const int pitch = DegreePitch(previous, m_melody_tonic);
            if (pitch > kMelodyHigh - 5 && step > 0)
                step = -step;
            if (pitch < kMelodyLow + 5 && step < 0)
                step = -step;
            degree = previous + step;
        }
        if (row % 8 == 0 || length >= 6)
            degree = SnapToChord(degree, chord, degree - previous);
        degree = ClampDegree(degree);
        motif.push_back(degree);
        previous = degree;
    }

    // Four statements of the motif, each moved with its chords; the last one
    // keeps its first bar and closes on a long note.
    std::vector<SPhraseNote> phrase;
    for (int statement = 0; statement < 4; ++statement)
    {
        const int base = statement * kMotifRows;
        // Move with the chord, up or down, whichever keeps the motif nearer the middle of the range.
        const int raw = Mod(chords[static_cast<size_t>(statement * 2)] - chords[0], 7);
        double mean = 0;
        for (int d : motif)
            mean += d;
        mean /= static_cast<double>(std::max<size_t>(1, motif.size()));
        constexpr double kCentre = 3.5;
        const int shift = std::fabs(mean + raw - kCentre) <= std::fabs(mean + raw - 7 - kCentre) ? raw : raw - 7;
        for (size_t i = 0; i < rhythm.size(); ++i)
        {
            auto [row, length] = rhythm[i];
            if (statement == 3 && row >= kRowsPerBar)
                break;
            const int chord = chords[static_cast<size_t>((base + row) / kRowsPerBar)];
            int degree = motif[i] + shift;
            if (row % 8 == 0 || length >= 6)
                degree = SnapToChord(degree, chord, shift);
            phrase.push_back({base + row, length, ClampDegree(degree)});
        }
    }
    const int lastChord = chords[7];
    const int previousDegree = phrase.empty() ? 7 : phrase.back().degree;
    int final = previousDegree;
    if (endOnTonic && lastChord == 0)
    {
        final = 7 * static_cast<int>(std::lround(previousDegree / 7.0));
        final = ClampDegree(final);
    }
    else
        final = SnapToChord(previousDegree, lastChord, -1);
    // Cut whatever of the first cadence bar overhangs the closing note.
    const int closeRow = 7 * kRowsPerBar;
    for (auto& n : phrase)
        n.length = std::min(n.length, closeRow - n.row);
    phrase.push_back({closeRow, 12, final});
    return phrase;
}

void CSongWriter::WriteMelody(int startRow, const std::vector<SPhraseNote>& phrase, int volume)
{
    for (size_t i = 0; i < phrase.size(); ++i)
    {
        const SPhraseNote& n = phrase[i];
        const int accent = n.row % 8 == 0 ? 4 : n.row % 4 == 0 ? 0 : -4;
        Put(startRow + n.row, kLead, DegreePitch(n.degree, m_melody_tonic), kInsLead, volume + accent);
        const int end = n.row + n.length;
        const bool gapFollows = i + 1 == phrase.size() || phrase[i + 1].row > end;
        if (gapFollows)
            KeyOff(startRow + end, kLead);
    }
}

void CSongWriter::WriteCounter(int startRow, ESection section, const std::array<int, 8>& chords,
                               const std::vector<SPhraseNote>& phrase, int bars)
{
    if (section == ESection::Chorus)
    {
        // The bell sings a third under the longer melody notes.
        for (const SPhraseNote& n : phrase)
            if (n.length >= 4)
                Put(startRow + n.row, kCounter, DegreePitch(n.degree - 2, m_melody_tonic), kInsBell, 24);
        return;
    }
    const int arpTonic = m_melody_tonic - 12;
    for (int bar = 0; bar < bars; ++bar)
    {
        const int root = chords[static_cast<size_t>(bar % 8)];
        const int shape[] = {0, 2, 4, 7, 4, 2, 4, 7};
        if (section == ESection::Bridge)
        {
            // Slow, high bell arpeggio: quarter notes.
            for (int beat = 0; beat < 4; ++beat)
                Put(startRow + bar * kRowsPerBar + beat * 4, kCounter, DegreePitch(root + shape[beat * 2 % 8], m_melody_tonic),
                    kInsBell, beat == 0 ? 26 : 20);
        }
        else
        {
            for (int step = 0; step < 8; ++step)
            {
                if (step % 4 == 3 && bar % 2 == 1)
                    continue; // leave air every other bar
                const int volume = step % 2 == 0 ? 26 : 19;
                Put(startRow + bar * kRowsPerBar + step * 2, kCounter, DegreePitch(root + shape[step], arpTonic),
                    kInsMallet, volume);
            }
        }
    }
}

void CSongWriter::WritePad(int startRow, const std::array<int, 8>& chords, int bars)
{
    const int padTonic = 60 + m_plan.key - (m_plan.key >= 7 ? 12 : 0);
    int previousRoot = -100;
    for (int bar = 0; bar < bars; ++bar)
    {
        const int root = chords[static_cast<size_t>(bar % 8)];
        if (root == previousRoot && bar != 0)
            continue;
        previousRoot = root;
        // The inversion closest to the last chord keeps the voices moving by small steps.
        std::array<int, 3> best{};
        int bestCost = 1 << 30;
        for (int inversion = 0; inversion < 3; ++inversion)
            for (int octave = -1; octave <= 1; ++octave)
            {
                std::array<int, 3> v{};
                for (int i = 0; i < 3; ++i)
                {
                    const int tone = (inversion + i) % 3;
                    const int lift = inversion + i >= 3 ? 7 : 0;
                    v[static_cast<size_t>(i)] = DegreePitch(root + 2 * tone + lift + 7 * octave, padTonic);
                }
                if (v[0] < 52 || v[2] > 74)
                    continue;
                int cost = 0;
                for (int i = 0; i < 3; ++i)
                    cost += m_voicing[0] == 0 ? std::abs(v[static_cast<size_t>(i)] - (padTonic + 4 * i))
                                              : std::abs(v[static_cast<size_t>(i)] - m_voicing[static_cast<size_t>(i)]);
                if (cost < bestCost)
                {
                    bestCost = cost;
                    best = v;
                }
            }
        m_voicing = best;
        // Chords alternate between two sets of channels so one fades out while the next swells.
        const int channel = m_pad_set == 0 ? kPad : kPadAlt;
        const int other = m_pad_set == 0 ? kPadAlt : kPad;
        m_pad_set ^= 1;
        const int at = startRow + bar * kRowsPerBar;
        for (int i = 0; i < 3; ++i)
        {
            Put(at, channel + i, best[static_cast<size_t>(i)], kInsPad, 19);
            Effect(at, channel + i, 0x08, static_cast<uint8_t>(0x58 + 0x28 * i)); // spread the chord
            KeyOff(at, other + i);
        }
    }
}

void CSongWriter::WriteBass(int startRow, const std::array<int, 8>& chords, int bars, bool sparse)
{
    struct SStep
    {
        int row, length, interval;
    };
    for (int bar = 0; bar < bars; ++bar)
    {
        const int root = chords[static_cast<size_t>(bar % 8)];
        const int next = chords[static_cast<size_t>((bar + 1) % 8)];
        int rootPitch = 36 + Mod(m_plan.key + kMajor[static_cast<size_t>(root)], 12);
        if (rootPitch > 43)
            rootPitch -= 12;
        std::vector<SStep> steps;
        EBassStyle style = sparse ? EBassStyle::Calm : m_plan.bass;
        switch (style)
        {
        case EBassStyle::Bounce:
            steps = {{0, 3, 0}, {4, 2, 0}, {6, 2, 7}, {8, 3, 12}, {12, 2, 7}};
            break;
        case EBassStyle::Eighths:
            steps = {{0, 2, 0}, {2, 2, 0}, {4, 2, 12}, {6, 2, 0}, {8, 2, 7}, {10, 2, 0}, {12, 2, 12}, {14, 2, 7}};
            break;
        case EBassStyle::Calm:
            steps = {{0, 7, 0}, {8, 3, 7}, {12, 3, 12}};
            break;
        case EBassStyle::Syncopated:
            steps = {{0, 3, 0}, {3, 3, 0}, {6, 2, 7}, {8, 2, 12}, {11, 3, 0}};
            break;
        }
        for (const SStep& s : steps)
        {
            Put(startRow + bar * kRowsPerBar + s.row, kBass, rootPitch + s.interval, kInsBass, s.row % 4 == 0 ? 50 : 42);
            KeyOff(startRow + bar * kRowsPerBar + s.row + s.length, kBass);
        }
        // A passing note into the next chord, now and then.
        if (!sparse && style != EBassStyle::Eighths && next != root && m_rng.Chance(0.5))
        {
            int target = 36 + Mod(m_plan.key + kMajor[static_cast<size_t>(next)], 12);
            if (target > 43)
                target -= 12;
            const int approach = target + (target > rootPitch ? -1 : 2);
            SXmCell& cell = m_grid[static_cast<size_t>((startRow + bar * kRowsPerBar + 14) * kChannels + kBass)];
            cell = SXmCell{};
            Put(startRow + bar * kRowsPerBar + 14, kBass, approach, kInsBass, 40);
        }
    }
}

void CSongWriter::WriteDrums(int startRow, ESection section, int bars, bool fill)
{
    const EDrumStyle style = m_plan.drums;
    for (int bar = 0; bar < bars; ++bar)
    {
        const int r0 = startRow + bar * kRowsPerBar;
        const bool lastBar = bar == bars - 1;
        const bool intro = section == ESection::Intro;
        const bool bridge = section == ESection::Bridge;

        // Hats.
        for (int row = 0; row < kRowsPerBar; row += 2)
        {
            if (intro && bar == 0 && row >= 8)
                break;
            if (bridge && row % 4 != 0)
                continue;
            int volume = row % 4 == 0 ? 26 : 17;
            if (style == EDrumStyle::Calm)
                volume -= 6;
            if (style == EDrumStyle::FourOnFloor && row % 4 == 2)
                Put(r0 + row, kHat, 60, kInsOpenHat, 18);
            else
                Put(r0 + row, kHat, 60, kInsHat, volume);
        }
        if (section == ESection::Chorus && style == EDrumStyle::Pop)
            for (int row = 1; row < kRowsPerBar; row += 4)
                Put(r0 + row + 2, kHat, 60, kInsHat, 12); // sixteenth ghosts lift the chorus

        if (intro && bar < bars - 1)
            continue; // the intro adds the kit in its last bar
        if (bridge)
        {
            if (bar % 2 == 0)
                Put(r0, kKick, 60, kInsKick, 44);
            Put(r0 + 12, kSnare, 60, kInsSnare, 24);
            continue;
        }

        std::vector<int> kicks, snares;
        switch (style)
        {
        case EDrumStyle::Pop:
            kicks = {0, 8};
            if (bar % 2 == 1)
                kicks.push_back(10);
            snares = {4, 12};
            if (bar % 2 == 1)
                Put(r0 + 14, kCymbal, 60, kInsOpenHat, 20);
            break;
        case EDrumStyle::FourOnFloor:
            kicks = {0, 4, 8, 12};
            snares = {4, 12};
            break;
        case EDrumStyle::Calm:
            kicks = {0, 10};
            snares = {8};
            break;
        case EDrumStyle::Shuffle:
            kicks = {0, 6, 8};
            snares = {4, 12};
            break;
        }
        const bool doFill = fill && lastBar;
        for (int k : kicks)
            if (!doFill || k < 8)
                Put(r0 + k, kKick, 60, kInsKick, 56);
        for (int s : snares)
            if (!doFill || s < 8)
                Put(r0 + s, kSnare, 60, kInsSnare, style == EDrumStyle::Calm ? 30 : 42);
        if (doFill)
        {
            const int rows[] = {8, 10, 12, 13, 14, 15};
            int volume = 24;
            for (int r : rows)
            {
                Put(r0 + r, kSnare, 60, kInsSnare, volume);
                volume += 4;
            }
            Put(r0 + 8, kKick, 60, kInsKick, 50);
        }
    }
}

SXmModule CSongWriter::Build()
{
    int bars = 0;
    for (ESection s : m_plan.sections)
        bars += (s == ESection::Intro || s == ESection::Outro) ? kEdgeBars : kSectionBars;
    m_total_rows = bars * kRowsPerBar;
    if (m_total_rows % kRowsPerPattern != 0)
        throw std::runtime_error("song length is not a whole number of patterns: " + m_plan.name);
    m_grid.assign(static_cast<size_t>(m_total_rows * kChannels), SXmCell{});

    // One phrase per kind of section, so every repeat of a chorus is recognisable.
    const auto verseChords = SectionChords(ESection::Verse);
    const auto chorusChords = SectionChords(ESection::Chorus);
    const auto bridgeChords = SectionChords(ESection::Bridge);
    const auto versePhrase = MakePhrase(verseChords, 0.9, false);
    const auto chorusPhrase = MakePhrase(chorusChords, 1.3, true);
    const auto bridgePhrase = MakePhrase(bridgeChords, 0.3, false);

    int row = 0;
    for (size_t i = 0; i < m_plan.sections.size(); ++i)
    {
        const ESection section = m_plan.sections[i];
        const bool last = i + 1 == m_plan.sections.size();
        switch (section)
        {
        case ESection::Intro:
            WritePad(row, verseChords, kEdgeBars);
            WriteCounter(row, section, verseChords, {}, kEdgeBars);
            WriteBass(row + 2 * kRowsPerBar, verseChords, 2, true);
            WriteDrums(row, section, kEdgeBars, true);
            row += kEdgeBars * kRowsPerBar;
            break;
        case ESection::Verse:
        case ESection::Chorus:
        case ESection::Bridge:
        {
            const auto& chords = section == ESection::Chorus ? chorusChords : section == ESection::Bridge ? bridgeChords : verseChords;
            const auto& phrase = section == ESection::Chorus   ? chorusPhrase
                                 : section == ESection::Bridge ? bridgePhrase
                                                               : versePhrase;
            if (i > 0)
                Put(row, kCymbal, 60, kInsOpenHat, section == ESection::Chorus ? 40 : 30);
            WritePad(row, chords, kSectionBars);
            WriteMelody(row, phrase, section == ESection::Bridge ? 40 : 44);
            WriteCounter(row, section, chords, phrase, kSectionBars);
            WriteBass(row, chords, kSectionBars, section == ESection::Bridge);
            WriteDrums(row, section, kSectionBars, !last);
            row += kSectionBars * kRowsPerBar;
            break;
        }
        case ESection::Outro:
        {
            // IV, V, then the tonic held and let ring through the last bar.
            const std::array<int, 8> chords = {3, 4, 0, 0, 3, 4, 0, 0};
            WritePad(row, chords, 3);
            WriteBass(row, chords, 2, false);
            WriteDrums(row, ESection::Verse, 2, true);
            const int end = row + 2 * kRowsPerBar;
            Put(end, kBass, 36 + m_plan.key - (m_plan.key > 7 ? 12 : 0), kInsBass, 52);
            Put(end, kKick, 60, kInsKick, 56);
            Put(end, kCymbal, 60, kInsOpenHat, 44);
            // The melody closes on the tonic, the octave above when it fits, reached
            // through the IV and V chords' own tones.
            const int base = DegreePitch(7, m_melody_tonic) <= kMelodyHigh ? 0 : -7;
            Put(end, kLead, DegreePitch(base + 7, m_melody_tonic), kInsLead, 44);
            const int arpeggio[] = {0, 2, 4, 7};
            for (int k = 0; k < 4; ++k)
                Put(end + 2 * k, kCounter, DegreePitch(arpeggio[k], m_melody_tonic), kInsBell, 30 - 2 * k);
            const int cadence[][3] = {// bar, row, degree
                                      {0, 0, 5}, {0, 4, 3}, {0, 8, 5}, {1, 0, 4}, {1, 4, 6}, {1, 8, 8}, {1, 12, 6}};
            for (const auto& c : cadence)
                Put(row + c[0] * kRowsPerBar + c[1], kLead, DegreePitch(base + c[2], m_melody_tonic), kInsLead,
                    c[1] % 8 == 0 ? 42 : 38);
            KeyOff(row + 14, kLead);
            KeyOff(end - 2, kLead);
            const int release = row + 3 * kRowsPerBar;
            for (int ch : {kLead, kBass, kPad, kPad + 1, kPad + 2, kPadAlt, kPadAlt + 1, kPadAlt + 2})
                KeyOff(release, ch);
            row += kEdgeBars * kRowsPerBar;
            break;
        }
        }
    }

    AddEcho(kLead, kLeadEcho, 0xB8);
    AddEcho(kCounter, kCounterEcho, 0x48);

    if (m_plan.drums == EDrumStyle::Shuffle)
        for (int r = 0; r < m_total_rows; ++r)
            Effect(r, kCymbal, 0x0F, r % 2 == 0 ? 7 : 5); // long-short pairs swing the sixteenths

    SXmModule module;
    module.name = m_plan.name;
    module.channels = kChannels;
    module.speed = 6;
    module.bpm = m_plan.bpm;
    for (int start = 0; start < m_total_rows; start += kRowsPerPattern)
    {
        SXmPattern pattern(kRowsPerPattern, kChannels);
        std::copy(m_grid.begin() + start * kChannels, m_grid.begin() + (start + kRowsPerPattern) * kChannels,
                  pattern.cells.begin());
        module.orders.push_back(static_cast<uint8_t>(module.patterns.size()));
        module.patterns.push_back(std::move(pattern));
    }
    module.instruments = {MakeLead(m_plan.lead),
                          MakePad(m_plan.pad),
                          MakePluckBass(m_plan.roundBass),
                          MakeBell(),
                          MakeMallet(),
                          MakeKick(),
                          MakeSnare(m_plan.seed * 31 + 7),
                          MakeClosedHat(m_plan.seed * 31 + 11),
                          MakeOpenHat(m_plan.seed * 31 + 13)};
    return module;
}
} // namespace

SXmModule ComposeSong(const SSongPlan& plan)
{
    CSongWriter writer(plan);
    return writer.Build();
}

double SongSeconds(const SXmModule& module)
{
    double seconds = 0;
    int speed = module.speed;
    int bpm = module.bpm;
    for (uint8_t order : module.orders)
    {
        const SXmPattern& p = module.patterns[order];
        for (int row = 0; row < p.rows; ++row)
        {
            for (int ch = 0; ch < p.channels; ++ch)
            {
                const SXmCell& c = p.At(row, ch);
                if (c.effect == 0x0F && c.param > 0)
                    (c.param < 32 ? speed : bpm) = c.param;
            }
            seconds += speed * 2.5 / bpm;
        }
    }
    return seconds;
}
} // namespace NDataGen
