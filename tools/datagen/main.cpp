// Writes the whole data tree (dat/, mui/, music/, wav/) into the folder given
// on the command line. Deterministic: the same build gives the same bytes.
#include "DataWriter.h"
#include "Sections.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: zonvel_datagen OUTPUT_FOLDER\n");
        return 2;
    }
    NDataGen::CDataWriter out(argv[1]);
    NDataGen::GenerateGameData(out);
    NDataGen::GenerateInterfaceData(out);
    NDataGen::GenerateAudio(out);
    if (!out.WriteLoose())
        return 1;
    std::ofstream(std::string(argv[1]) + "/datagen.stamp") << out.Files().size() << " files\n";
    std::fprintf(stderr, "datagen: %zu files\n", out.Files().size());
    return 0;
}
