// wav/ and music/: the sound effects and the five tracker modules.
#include "../Sections.h"

#include "Composer.h"
#include "SoundEffects.h"

#include <stdexcept>

namespace NDataGen
{
namespace
{
using S = ESection;

std::vector<SSongPlan> SongPlans()
{
    std::vector<SSongPlan> plans(5);
    SSongPlan& menu = plans[0];
    menu.name = "menu";
    menu.seed = 0x3E17;
    menu.bpm = 100;
    menu.key = 5;
    menu.lead = ELeadTone::Flute;
    menu.pad = EPadTone::Choir;
    menu.roundBass = true;
    menu.bass = EBassStyle::Calm;
    menu.drums = EDrumStyle::Calm;
    menu.sections = {S::Intro, S::Verse, S::Chorus, S::Bridge, S::Verse, S::Chorus, S::Chorus, S::Outro};

    SSongPlan& g1 = plans[1];
    g1.name = "game01";
    g1.seed = 0x6A01;
    g1.bpm = 128;
    g1.key = 0;
    g1.lead = ELeadTone::Square;
    g1.pad = EPadTone::SoftSaw;
    g1.bass = EBassStyle::Bounce;
    g1.drums = EDrumStyle::Pop;
    g1.sections = {S::Intro, S::Verse, S::Chorus, S::Verse, S::Chorus, S::Bridge, S::Chorus, S::Chorus, S::Outro};

    SSongPlan& g2 = plans[2];
    g2.name = "game02";
    g2.seed = 0x6A02;
    g2.bpm = 136;
    g2.key = 7;
    g2.lead = ELeadTone::SoftSaw;
    g2.pad = EPadTone::WarmSquare;
    g2.bass = EBassStyle::Eighths;
    g2.drums = EDrumStyle::FourOnFloor;
    g2.sections = {S::Intro,  S::Verse,  S::Verse,  S::Chorus, S::Bridge,
                   S::Verse, S::Chorus, S::Bridge, S::Chorus, S::Chorus, S::Outro};

    SSongPlan& g3 = plans[3];
    g3.name = "game03";
    g3.seed = 0x6A03;
    g3.bpm = 116;
    g3.key = 2;
    g3.lead = ELeadTone::Flute;
    g3.pad = EPadTone::SoftSaw;
    g3.roundBass = true;
    g3.bass = EBassStyle::Syncopated;
    g3.drums = EDrumStyle::Shuffle;
    g3.sections = {S::Intro, S::Verse, S::Chorus, S::Verse, S::Chorus, S::Bridge, S::Chorus, S::Outro};

    SSongPlan& g4 = plans[4];
    g4.name = "game04";
    g4.seed = 0x6A04;
    g4.bpm = 124;
    g4.key = 9;
    g4.lead = ELeadTone::Square;
    g4.pad = EPadTone::Choir;
    g4.bass = EBassStyle::Syncopated;
    g4.drums = EDrumStyle::Pop;
    g4.sections = {S::Intro, S::Verse, S::Chorus, S::Verse, S::Chorus, S::Bridge, S::Chorus, S::Chorus, S::Outro};
    return plans;
}
} // namespace

void GenerateAudio(CDataWriter& out)
{
    for (auto& [name, bytes] : MakeSoundEffects())
        out.Add("wav/" + name, std::move(bytes));

    for (const SSongPlan& plan : SongPlans())
    {
        const SXmModule module = ComposeSong(plan);
        // The playlist relies on every track ending by itself within a few minutes.
        const double seconds = SongSeconds(module);
        if (seconds < 95.0 || seconds > 175.0)
            throw std::runtime_error("music/" + plan.name + ".xm lasts " + std::to_string(seconds) + " s");
        out.Add("music/" + plan.name + ".xm", WriteXm(module));
    }
}
} // namespace NDataGen
