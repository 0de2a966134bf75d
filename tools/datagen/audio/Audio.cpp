#include "../Sections.h"

namespace NDataGen
{
void GenerateAudio(CDataWriter& /*out*/)
{
}
} // namespace NDataGen
