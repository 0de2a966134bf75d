// Writes the whole data tree (dat/, mui/, music/, wav/) into the folder given
// on the command line and packs it into data.pk there with the program's own
// pack writer and key. Deterministic: the same build gives the same bytes.
#include "DataWriter.h"
#include "Sections.h"
#include "common/Fonts.h"

#include "engine/PackKey.h"
#include "engine/ResourceManager.h"

#include <chrono>
#include <cstdio>
#include <fstream>

namespace
{
bool WritePack(const NDataGen::CDataWriter& out, const std::string& path)
{
    CResourceManager pack;
    pack.SetPackKey(kPackKey);
    for (const auto& [name, data] : out.Files())
    {
        if (!pack.AddMemoryEntry(name, data, true))
        {
            std::fprintf(stderr, "datagen: cannot pack %s\n", name.c_str());
            return false;
        }
    }
    if (!pack.SavePack(path))
    {
        std::fprintf(stderr, "datagen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: zonvel_datagen OUTPUT_FOLDER\n");
        return 2;
    }
    // Before any drawing, so a missing font package fails the build at once.
    if (!NDataGen::CheckFontFiles())
        return 1;
    auto start = std::chrono::steady_clock::now();
    std::string folder = argv[1];
    NDataGen::CDataWriter out(folder);
    NDataGen::GenerateGameData(out);
    NDataGen::GenerateInterfaceData(out);
    NDataGen::GenerateAudio(out);
    NDataGen::GenerateIcons(out);
    if (!out.WriteLoose() || !WritePack(out, folder + "/data.pk"))
        return 1;
    size_t bytes = 0;
    for (const auto& [name, data] : out.Files())
        bytes += data.size();
    std::ofstream(folder + "/datagen.stamp") << out.Files().size() << " files\n";
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "datagen: %zu files, %zu bytes packed, %.1f s\n", out.Files().size(), bytes, seconds);
    return 0;
}
