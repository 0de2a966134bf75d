#include "../Sections.h"

namespace NDataGen
{
void GenerateInterfaceData(CDataWriter& /*out*/)
{
}
} // namespace NDataGen
