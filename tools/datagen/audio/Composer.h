// Procedural songs for the tracker modules: chord progressions, a bass line,
// pad chords, a melody built from repeated motifs, arpeggios and drums.
// A song is played once: its order list runs straight through and never jumps.
#pragma once

#include "Instruments.h"
#include "XmModule.h"

#include <cstdint>
#include <string>
#include <vector>

namespace NDataGen
{
enum class ESection { Intro, Verse, Chorus, Bridge, Outro };
enum class EBassStyle { Bounce, Eighths, Calm, Syncopated };
enum class EDrumStyle { Pop, FourOnFloor, Calm, Shuffle };

struct SSongPlan
{
    std::string name;
    uint64_t seed = 1;
    int bpm = 120;
    int key = 0; // pitch class of the tonic, 0 = C
    ELeadTone lead = ELeadTone::Square;
    EPadTone pad = EPadTone::SoftSaw;
    bool roundBass = false;
    EBassStyle bass = EBassStyle::Bounce;
    EDrumStyle drums = EDrumStyle::Pop;
    std::vector<ESection> sections; // each 8 bars, intro and outro 4
};

SXmModule ComposeSong(const SSongPlan& plan);
// Playing time of a module whose speed stays at its default, in seconds.
double SongSeconds(const SXmModule& module);
} // namespace NDataGen
