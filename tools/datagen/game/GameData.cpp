#include "../Sections.h"

namespace NDataGen
{
void GenerateGameData(CDataWriter& /*out*/)
{
}
} // namespace NDataGen
