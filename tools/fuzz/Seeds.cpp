// fuzz_seeds DATA_FOLDER CORPUS_FOLDER: writes one seed folder per fuzz target
// from a built data set. Big pictures become small crops, so the fuzzers spend
// their time on structure rather than on megabytes of pixels.
#include "engine/AppSettings.h"
#include "engine/Cipher.h"
#include "engine/ImageDecoder.h"
#include "engine/KeyValueFile.h"
#include "engine/PackKey.h"
#include "engine/Random.h"
#include "engine/ResourceManager.h"
#include "game/Field.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "game/TopTable.h"

#include <jpeglib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace
{
fs::path g_out;
int g_written = 0;

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Seed(const std::string& target, const std::string& name, const Bytes& bytes)
{
    fs::create_directories(g_out / target);
    std::ofstream(g_out / target / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ++g_written;
}

std::vector<fs::path> Files(const fs::path& data, const std::string& extension, uintmax_t maxSize = 1 << 30)
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(data))
        if (entry.is_regular_file() && entry.path().extension() == extension && entry.file_size() <= maxSize)
            found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

std::string Flat(const fs::path& data, const fs::path& file)
{
    std::string name = fs::relative(file, data).string();
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

// Top-left corner of a decoded picture, at most side x side, rows kept bottom-up.
NImageDecoder::SImage Crop(const NImageDecoder::SImage& image, int side)
{
    NImageDecoder::SImage crop;
    crop.width = std::min(side, image.width);
    crop.height = std::min(side, image.height);
    crop.components = image.components;
    for (int y = image.height - crop.height; y < image.height; ++y)
        for (int x = 0; x < crop.width; ++x)
            for (int c = 0; c < image.components; ++c)
                crop.pixels.push_back(
                    image.pixels[(static_cast<size_t>(y) * image.width + x) * image.components + c]);
    return crop;
}

// Every step-th pixel in both directions.
NImageDecoder::SImage Shrink(const NImageDecoder::SImage& image, int step)
{
    NImageDecoder::SImage small;
    small.width = image.width / step;
    small.height = image.height / step;
    small.components = image.components;
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x)
            for (int c = 0; c < image.components; ++c)
                small.pixels.push_back(
                    image.pixels[(static_cast<size_t>(y) * step * image.width + x * step) * image.components +
                                 c]);
    return small;
}

Bytes Targa(const NImageDecoder::SImage& image, int components)
{
    Bytes bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = static_cast<uint8_t>(image.width & 0xFF);
    bytes[13] = static_cast<uint8_t>(image.width >> 8);
    bytes[14] = static_cast<uint8_t>(image.height & 0xFF);
    bytes[15] = static_cast<uint8_t>(image.height >> 8);
    bytes[16] = static_cast<uint8_t>(components * 8);
    bytes[17] = components == 4 ? 8 : 0;
    for (size_t i = 0; i < image.pixels.size(); i += image.components)
    {
        const uint8_t* p = &image.pixels[i];
        bytes.push_back(p[2]);
        bytes.push_back(p[1]);
        bytes.push_back(p[0]);
        if (components == 4)
            bytes.push_back(image.components == 4 ? p[3] : 255);
    }
    return bytes;
}

Bytes Jpeg(const NImageDecoder::SImage& image, bool progressive, bool grey)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(image.width) * 3);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        // Decoded rows are bottom-up; JPEG rows go top first.
        const int y = image.height - 1 - static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < image.width; ++x)
        {
            const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * image.components];
            if (grey)
                row[x] = p[1];
            else
                std::copy(p, p + 3, &row[static_cast<size_t>(x) * 3]);
        }
        JSAMPROW rows = row.data();
        jpeg_write_scanlines(&cinfo, &rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes result(out, out + outSize);
    std::free(out);
    return result;
}

void PutU32(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A DDS of one picture: 32/24/8-bit levels, or DXT blocks of two end colours.
Bytes Dds(const NImageDecoder::SImage& image, const char* fourCC, int bits, int levels)
{
    Bytes bytes(128, 0);
    std::copy_n("DDS ", 4, bytes.begin());
    PutU32(bytes, 4, 124);
    PutU32(bytes, 8, 0x1007 | (levels > 1 ? 0x20000u : 0u));
    PutU32(bytes, 12, static_cast<uint32_t>(image.height));
    PutU32(bytes, 16, static_cast<uint32_t>(image.width));
    PutU32(bytes, 28, static_cast<uint32_t>(levels));
    PutU32(bytes, 76, 32);
    if (fourCC)
    {
        PutU32(bytes, 80, 0x4);
        std::copy_n(fourCC, 4, bytes.begin() + 84);
    }
    else
    {
        PutU32(bytes, 80, bits == 8 ? 0x20000u : (bits == 32 ? 0x41u : 0x40u));
        PutU32(bytes, 88, static_cast<uint32_t>(bits));
        PutU32(bytes, 92, bits == 8 ? 0xFFu : 0xFF0000u);
        PutU32(bytes, 96, bits == 8 ? 0u : 0xFF00u);
        PutU32(bytes, 100, bits == 8 ? 0u : 0xFFu);
        PutU32(bytes, 104, bits == 32 ? 0xFF000000u : 0u);
    }
    PutU32(bytes, 108, 0x1000 | (levels > 1 ? 0x400008u : 0u));
    int width = image.width, height = image.height;
    for (int level = 0; level < levels; ++level)
    {
        auto pixel = [&](int x, int y)
        { return &image.pixels[(static_cast<size_t>(y) * image.width + x) * image.components]; };
        if (fourCC)
        {
            for (int by = 0; by < (height + 3) / 4; ++by)
                for (int bx = 0; bx < (width + 3) / 4; ++bx)
                {
                    const uint8_t* a =
                        pixel(std::min(bx * 4, image.width - 1), std::min(by * 4, image.height - 1));
                    const uint16_t c0 =
                        static_cast<uint16_t>(((a[0] >> 3) << 11) | ((a[1] >> 2) << 5) | (a[2] >> 3));
                    if (fourCC[3] == '3')
                        bytes.insert(bytes.end(), 8, 0xFF);
                    else if (fourCC[3] == '5')
                    {
                        const uint8_t alpha[8] = {255, 0, 0, 0, 0, 0, 0, 0};
                        bytes.insert(bytes.end(), alpha, alpha + 8);
                    }
                    const uint8_t colour[8] = {static_cast<uint8_t>(c0),
                                               static_cast<uint8_t>(c0 >> 8),
                                               0,
                                               0,
                                               0x1B,
                                               0x1B,
                                               0xE4,
                                               0xE4};
                    bytes.insert(bytes.end(), colour, colour + 8);
                }
        }
        else
        {
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                {
                    const uint8_t* p = pixel(x * image.width / width, y * image.height / height);
                    if (bits == 8)
                        bytes.push_back(p[1]);
                    else
                    {
                        bytes.push_back(p[2]);
                        bytes.push_back(p[1]);
                        bytes.push_back(p[0]);
                        if (bits == 32)
                            bytes.push_back(image.components == 4 ? p[3] : 255);
                    }
                }
        }
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    return bytes;
}

Bytes Encipher(const Bytes& plain)
{
    Bytes out;
    if (!plain.empty())
        CCipher::EncodeWithRotation(plain.data(), static_cast<int>(plain.size()),
                                    static_cast<int>(plain.size() / 3 % std::min<size_t>(plain.size(), 100)),
                                    out, CAppSettings::kCipherKey, CAppSettings::kCipherKeyLength);
    return out;
}

void TextSeeds(const fs::path& data)
{
    for (const char* extension : {".txt", ".spr"})
        for (const fs::path& file : Files(data, extension, 64 * 1024))
        {
            if (file.filename() == "CMakeCache.txt" || file.string().find("CMakeFiles") != std::string::npos)
                continue;
            const Bytes bytes = ReadFile(file);
            Seed("keyvalue", Flat(data, file), bytes);
            Seed("keyvalue_cipher", Flat(data, file), Encipher(bytes));
            Seed("cipher", Flat(data, file), Encipher(bytes));
            if (std::string(extension) == ".spr")
                Seed("sprite", Flat(data, file), bytes);
        }
    for (const fs::path& file : Files(data, ".xml"))
        Seed("markup", Flat(data, file), ReadFile(file));

    // The settings file exactly as the program writes it.
    const fs::path folder = g_out / "keyvalue_cipher";
    fs::create_directories(folder);
    CAppSettings settings;
    settings.m_data_folder = folder.string() + "/";
    settings.Save();
    fs::copy_file(folder / "dx.cfg", g_out / "cipher" / "dx.cfg", fs::copy_options::overwrite_existing);
}

void PictureSeeds(const fs::path& data)
{
    int index = 0;
    for (const fs::path& file : Files(data, ".tga", 600 * 1024))
    {
        if (index++ % 4 != 0)
            continue;
        const Bytes bytes = ReadFile(file);
        NImageDecoder::SImage image;
        if (!NImageDecoder::DecodeTarga(bytes.data(), bytes.size(), image))
            continue;
        const NImageDecoder::SImage crop = Crop(image, 16);
        Seed("targa", Flat(data, file), Targa(crop, image.components));
        Seed("targa", Flat(data, file) + ".24", Targa(crop, 3));
        if (index == 1)
        {
            const NImageDecoder::SImage square = Crop(image, 8);
            Seed("dds", "dxt1.dds", Dds(square, "DXT1", 0, 4));
            Seed("dds", "dxt3.dds", Dds(square, "DXT3", 0, 1));
            Seed("dds", "dxt5.dds", Dds(square, "DXT5", 0, 4));
            Seed("dds", "bgra.dds", Dds(square, nullptr, 32, 4));
            Seed("dds", "bgr.dds", Dds(square, nullptr, 24, 1));
            Seed("dds", "grey.dds", Dds(square, nullptr, 8, 2));
        }
    }
    for (const fs::path& file : Files(data, ".jpg"))
    {
        const Bytes bytes = ReadFile(file);
        NImageDecoder::SImage image;
        if (!NImageDecoder::DecodeJpeg(bytes.data(), bytes.size(), image))
            continue;
        const NImageDecoder::SImage crop = Crop(image, 24);
        Seed("jpeg", Flat(data, file), Jpeg(crop, false, false));
        Seed("jpeg", Flat(data, file) + ".progressive", Jpeg(crop, true, false));
        Seed("jpeg", Flat(data, file) + ".grey", Jpeg(crop, false, true));
    }

    // The font picture whole is 2 MB: the scan gets it shrunk, and its first rows.
    const Bytes font = ReadFile(data / "mui" / "font.tga");
    NImageDecoder::SImage image;
    if (NImageDecoder::DecodeTarga(font.data(), font.size(), image) && image.components == 4)
    {
        Seed("fontscan", "font_quarter.tga", Targa(Shrink(image, 4), 4));
        Seed("fontscan", "font_eighth.tga", Targa(Shrink(image, 8), 4));
        NImageDecoder::SImage band = image;
        band.height = std::min(image.height, 48);
        band.pixels.assign(image.pixels.end() - static_cast<long>(band.height) * image.width * 4,
                           image.pixels.end());
        Seed("fontscan", "font_top_band.tga", Targa(Shrink(band, 2), 4));
    }
}

void PackSeeds(const fs::path& data)
{
    CResourceManager pack;
    pack.SetPackKey(kPackKey);
    int added = 0;
    for (const fs::path& file : Files(data, ".spr"))
        if (added++ < 3)
            pack.AddMemoryEntry(fs::relative(file, data).string(), ReadFile(file), added % 2 == 0);
    pack.AddMemoryEntry("dat/game.txt", ReadFile(data / "dat" / "game.txt"), true);
    fs::create_directories(g_out / "pack");
    pack.SavePack((g_out / "pack" / "small.pk").string());
    CResourceManager empty;
    empty.SavePack((g_out / "pack" / "empty.pk").string());
    g_written += 2;
}

void LevelSeeds(const fs::path& data)
{
    int setIndex = 0;
    for (const char* set : {"levels_classic", "levels_duel", "levels_moving"})
    {
        int level = 0;
        for (const fs::path& file : Files(data / "dat" / set, ".raw"))
        {
            if (level++ % 5 != 0)
                continue;
            const Bytes mask = ReadFile(file);
            if (mask.size() < static_cast<size_t>(NGame::CField::kMaskSize))
                continue;
            // One bit per 8 x 8 block, read at the block's centre (the fuzz target's format).
            Bytes seed = {static_cast<uint8_t>(level * 7 % 100),
                          static_cast<uint8_t>(setIndex | (level % 6) << 2)};
            seed.resize(2 + (100 * 75 + 7) / 8, 0);
            for (int by = 0; by < 75; ++by)
                for (int bx = 0; bx < 100; ++bx)
                    if (mask[static_cast<size_t>(by * 8 + 4) * NGame::CField::kMaskWidth + bx * 8 + 4] != 0)
                    {
                        const int bit = by * 100 + bx;
                        seed[2 + bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
                    }
            Seed("levelmask", std::string(set) + "_" + file.filename().string(), seed);
        }
        ++setIndex;
    }
    Seed("levelmask", "open", Bytes{3, 0, 0xFF});
}

void FieldStateSeeds(const fs::path& data)
{
    // The field reads its masks through the loose files, relative to the data folder.
    const fs::path here = fs::current_path();
    fs::current_path(data);
    NRandom::Seed(5);
    for (int gameType = 0; gameType < 3; ++gameType)
        for (int level : {0, 7, 33, 61, 99, 140})
        {
            NGame::CField field(NGame::CGameResources::GetLevelDirectory(gameType), 25, gameType == 1);
            field.GoToLevel(level);
            for (int frame = 0; frame < 600; ++frame)
                field.Update(16.0f);
            const std::string text = field.FormatFieldState();
            Seed("fieldstate", "set" + std::to_string(gameType) + "_level" + std::to_string(level),
                 Bytes(text.begin(), text.end()));
        }
    fs::current_path(here);
}
void SavedGameSeeds(const fs::path& data)
{
    const fs::path here = fs::current_path();
    fs::current_path(data);
    NRandom::Seed(9);
    for (int gameType = 0; gameType < 3; ++gameType)
        for (int level : {0, 12, 57})
        {
            NGame::CGame game(gameType, nullptr);
            game.StartAtLevel(level);
            for (int frame = 0; frame < 600; ++frame)
                game.Update(16.0f);
            CKeyValueFile file;
            game.SaveGame(file);
            const std::string text = file.BuildText();
            Seed("savedgame", "type" + std::to_string(gameType) + "_level" + std::to_string(level),
                 Bytes(text.begin(), text.end()));
        }
    fs::current_path(here);
}

void TopTableSeeds()
{
    NGame::CTopTable table(2);
    CKeyValueFile empty;
    table.Load(empty);
    for (int i = 0; i < 9; ++i)
        table.Add(i % 2, 100 * (9 - i) + 7, "Player " + std::to_string(i));
    CKeyValueFile file;
    table.Save(file);
    const std::string text = file.BuildText();
    Seed("top7", "two_tables", Bytes(text.begin(), text.end()));
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: fuzz_seeds DATA_FOLDER CORPUS_FOLDER\n");
        return 2;
    }
    const fs::path data = fs::absolute(argv[1]);
    g_out = fs::absolute(argv[2]);
    if (!fs::is_directory(data / "dat"))
    {
        std::fprintf(stderr, "fuzz_seeds: no data set in %s\n", data.c_str());
        return 1;
    }
    TextSeeds(data);
    PictureSeeds(data);
    PackSeeds(data);
    LevelSeeds(data);
    FieldStateSeeds(data);
    SavedGameSeeds(data);
    TopTableSeeds();
    std::fprintf(stderr, "fuzz_seeds: %d seeds in %s\n", g_written, g_out.c_str());
    return 0;
}
