// The synthesized tracker instruments. Every instrument is tuned so that XM
// note 49 (C-4) sounds middle C (261.63 Hz) whatever rate its sample was made at.
#pragma once

#include "XmModule.h"

#include <cstdint>

namespace NDataGen
{
enum class EPadTone { SoftSaw, WarmSquare, Choir };
enum class ELeadTone { Square, Flute, SoftSaw };

SXmInstrument MakePad(EPadTone tone);
SXmInstrument MakeLead(ELeadTone tone);
SXmInstrument MakePluckBass(bool round);
SXmInstrument MakeBell();
SXmInstrument MakeMallet();
SXmInstrument MakeKick();
SXmInstrument MakeSnare(uint64_t seed);
SXmInstrument MakeClosedHat(uint64_t seed);
SXmInstrument MakeOpenHat(uint64_t seed);
} // namespace NDataGen
