#include "FuzzTargets.h"

#include "Simulation.h"

#include "engine/AppSettings.h"
#include "engine/Cipher.h"
#include "engine/ImageDecoder.h"
#include "engine/KeyValueFile.h"
#include "engine/PackKey.h"
#include "engine/Random.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/XmlNode.h"
#include "game/Field.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "interface/MainMenu.h"
#include "game/TopTable.h"
#include "ui/BitmapText.h"

#include <unistd.h>

#include <cstdio>
#include <map>

namespace NFuzz
{
namespace
{
bool KeyValue(const uint8_t* data, size_t size)
{
    CKeyValueFile file;
    file.Parse(data, size);
    for (const auto& [key, value] : file.GetEntries())
    {
        file.GetInt(key, 0);
        file.GetFloat(key, 0.0f);
        file.GetVector(key);
    }
    CKeyValueFile again;
    again.Parse(file.BuildText());
    return true;
}

// The enciphered key/value file as the settings reader opens it.
bool KeyValueCipher(const uint8_t* data, size_t size)
{
    CKeyValueFile file;
    if (file.Parse(data, size, true, CAppSettings::kCipherKey, CAppSettings::kCipherKeyLength))
        for (const auto& [key, value] : file.GetEntries())
            file.GetInt(key, 0);
    return true;
}

// Any accepted file enciphers back to the same bytes with the rotation it names.
bool Cipher(const uint8_t* data, size_t size)
{
    CCipher cipher;
    std::vector<uint8_t> plain;
    if (!cipher.Decode(data, static_cast<int>(size), plain, "zup", 3))
        return true;
    if (plain.size() + 1 != size)
        return false;
    // A rotation by the whole length reads as none; the encoder never writes it.
    const int rotation = data[0];
    if (rotation >= static_cast<int>(plain.size()))
        return true;
    std::vector<uint8_t> again;
    return CCipher::EncodeWithRotation(plain.data(), static_cast<int>(plain.size()), rotation, again, "zup",
                                       3) &&
           again == std::vector<uint8_t>(data, data + size);
}

bool WalkMarkup(const CXmlNode& node, int depth)
{
    node.GetPosition();
    node.GetColour();
    node.GetInt("x", 0);
    // The reader promises to skip deeper elements.
    if (depth > CXmlNode::kMaxDepth + 1)
        return false;
    for (const CXmlNode* child : node.GetChildren())
        if (!WalkMarkup(*child, depth + 1))
            return false;
    return true;
}

bool Markup(const uint8_t* data, size_t size)
{
    CXmlNode root;
    root.Parse(reinterpret_cast<const char*>(data), static_cast<int>(size));
    CXmlNode copy(root);
    copy = root;
    return WalkMarkup(root, 0) && WalkMarkup(copy, 0);
}

// The pack is opened from a file, so the input goes through one first.
bool Pack(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/zonvel_fuzz_pack_" + std::to_string(::getpid()) + ".pk";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return true;
    const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
    if (std::fclose(f) != 0 || !written)
        return true;
    CResourceManager pack;
    pack.SetPackKey(kPackKey);
    pack.OpenPack(path);
    for (const std::string& name : pack.GetEntryNames())
        pack.Load(name);
    std::remove(path.c_str());
    return true;
}

bool Whole(const NImageDecoder::SImage& image)
{
    return image.pixels.size() == static_cast<size_t>(image.width) * image.height * image.components;
}

bool Targa(const uint8_t* data, size_t size)
{
    NImageDecoder::SImage image;
    return !NImageDecoder::DecodeTarga(data, size, image) || Whole(image);
}

bool Jpeg(const uint8_t* data, size_t size)
{
    NImageDecoder::SImage image;
    return !NImageDecoder::DecodeJpeg(data, size, image) || Whole(image);
}

bool Dds(const uint8_t* data, size_t size)
{
    NImageDecoder::SDdsImage image;
    return !NImageDecoder::DecodeDds(data, size, image) || !image.levels.empty();
}

// A 4 x 2 32-bit targa that descriptions may name, so frames and groups divide a real size.
std::vector<uint8_t> SmallTarga()
{
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = 4;
    bytes[14] = 2;
    bytes[16] = 32;
    bytes.resize(18 + 4 * 2 * 4, 0x80);
    return bytes;
}

bool Sprite(const uint8_t* data, size_t size)
{
    CResourceManager manager;
    manager.AddMemoryEntry("a.tga", SmallTarga(), false);
    manager.AddMemoryEntry("b.tga", std::vector<uint8_t>(10, 0), false);
    manager.AddMemoryEntry("fuzz.spr", std::vector<uint8_t>(data, data + size), false);
    CSprite sprite;
    sprite.Load(&manager, "fuzz.spr");
    for (int i = 0; i < 3; ++i)
    {
        sprite.SetGroup(i * 7 - 1);
        sprite.SetFrame(i * 5 - 1);
        sprite.Advance(1000);
        sprite.Draw(true);
    }
    CSprite copy(sprite);
    copy.Draw(false);
    return true;
}

// Glyph boxes found in a 32-bit targa's alpha channel, then text laid out with them.
bool FontScan(const uint8_t* data, size_t size)
{
    // The scan swaps red and blue in place: it gets its own copy.
    std::vector<uint8_t> bytes(data, data + size);
    CBitmapText font;
    font.LoadFromImage(bytes.data(), static_cast<int>(bytes.size()), nullptr);
    font.MeasureText("Zonvel 0123 ~!", 24.0f);
    font.LayoutText("The quick brown fox", 16.0f, 10.0f, 40.0f, true, true, [](const CBitmapText::SQuad&) {});
    font.DrawNumberOutlined(-1234, 12.0f, 0.0f, 0.0f, 0.0f, 1, 1, 1, 1);
    return true;
}

// The level mask input is compact so the fuzzer can shape holes: byte 0 the
// level, byte 1 the set and difficulty, then one bit per 8 x 8 block of the
// 800 x 600 mask (set: playable), repeated to fill it.
constexpr int kBlock = 8;
constexpr int kBlocksWide = NGame::CField::kMaskWidth / kBlock;
constexpr int kBlocksHigh = NGame::CField::kMaskHeight / kBlock;

std::vector<uint8_t> ExpandMask(const uint8_t* bits, size_t size)
{
    std::vector<uint8_t> mask(NGame::CField::kMaskSize, 255);
    if (size == 0)
        return mask;
    for (int by = 0; by < kBlocksHigh; ++by)
        for (int bx = 0; bx < kBlocksWide; ++bx)
        {
            const size_t bit = static_cast<size_t>(by) * kBlocksWide + bx;
            if (bits[(bit / 8) % size] & (1u << (bit % 8)))
                continue;
            for (int y = by * kBlock; y < (by + 1) * kBlock; ++y)
                for (int x = bx * kBlock; x < (bx + 1) * kBlock; ++x)
                    mask[static_cast<size_t>(y) * NGame::CField::kMaskWidth + x] = 0;
        }
    return mask;
}

// A whole level played on the mask by the simulator, every move's invariants checked.
bool LevelMask(const uint8_t* data, size_t size)
{
    if (size < 2)
        return true;
    const int level = data[0] % 100;
    const int gameType = (data[1] & 3) % 3;
    const int difficulty = (data[1] >> 2) % 6;
    CResourceManager manager;
    // Without game resources every set has one level file: lev000.raw.
    manager.AddMemoryEntry(std::string(NGame::CGameResources::GetLevelDirectory(gameType)) + "/lev000.raw",
                           ExpandMask(data + 2, size - 2), false);
    CResourceManager* previous = GetResourceManager();
    SetResourceManager(&manager);
    NRandom::Seed(static_cast<uint32_t>(size));
    NSim::CSimulation simulation(NSim::SOptions{});
    simulation.PlayOneLevel(gameType, level, difficulty);
    SetResourceManager(previous);
    return simulation.GetViolations() == 0;
}

// What the field-state reader accepts formats back to text that reads the
// same, and the field then runs and takes a move without fault.
bool FieldState(const uint8_t* data, size_t size)
{
    NRandom::Seed(7);
    const std::string text(reinterpret_cast<const char*>(data), size);
    NGame::CField field(NGame::CGameResources::GetLevelDirectory(0), 1, 0);
    if (!field.LoadFieldState(text))
        return true;
    const std::string formatted = field.FormatFieldState();
    NGame::CField again(NGame::CGameResources::GetLevelDirectory(0), 1, 0);
    if (!again.LoadFieldState(formatted) || again.FormatFieldState() != formatted)
        return false;
    // Long enough for the cells to appear and a repaint to spread.
    for (int frame = 0; frame < 60; ++frame)
        field.Update(16.0f);
    field.Fill(field.GetMid(), 0, 0);
    for (int frame = 0; frame < 60; ++frame)
        field.Update(16.0f);
    return true;
}

// A saved game after its cipher, as the menu restores it: what is accepted
// saves back to keys that restore to the same keys again, and then plays on.
bool SavedGame(const uint8_t* data, size_t size)
{
    NRandom::Seed(7);
    CKeyValueFile file;
    file.Parse(data, size);
    NGame::CTopTable table(2);
    std::unique_ptr<NGame::CGame> game = NInterface::CMainMenu::RestoreGame(file, &table);
    if (!game)
        return true;
    CKeyValueFile saved;
    if (!game->SaveGame(saved) || !saved.IsWritable())
        return false;
    std::unique_ptr<NGame::CGame> again = NInterface::CMainMenu::RestoreGame(saved, &table);
    CKeyValueFile savedAgain;
    if (!again || !again->SaveGame(savedAgain) || savedAgain.BuildText() != saved.BuildText())
        return false;
    // Long enough for the cells to appear and the computer to answer a move.
    for (int frame = 0; frame < 120; ++frame)
        game->Update(16.0f);
    const CVector4 centre = game->GetField()->CellCentre(game->GetField()->GetMid(), 1);
    game->OnLButtonDown(static_cast<int>(centre.x), static_cast<int>(centre.y), 0);
    game->OnLButtonUp(static_cast<int>(centre.x), static_cast<int>(centre.y), 0);
    for (int frame = 0; frame < 120; ++frame)
        game->Update(16.0f);
    return true;
}

// The top tables after their cipher: every record read is written back and
// read again unchanged.
bool TopTable(const uint8_t* data, size_t size)
{
    CKeyValueFile file;
    file.Parse(data, size);
    NGame::CTopTable table(2);
    table.Load(file);
    CKeyValueFile saved;
    table.Save(saved);
    if (!saved.IsWritable())
        return false;
    CKeyValueFile reread;
    reread.Parse(saved.BuildText());
    NGame::CTopTable again(2);
    again.Load(reread);
    for (int t = 0; t < table.GetTableCount(); ++t)
        for (int place = 0; place < NGame::CTopTable::kPlaces; ++place)
            if (again.GetName(t, place) != table.GetName(t, place) ||
                again.GetPoints(t, place) != table.GetPoints(t, place))
                return false;
    return true;
}

using Target = bool (*)(const uint8_t*, size_t);

const std::map<std::string, Target>& Targets()
{
    static const std::map<std::string, Target> targets = {
        {"keyvalue", KeyValue},   {"keyvalue_cipher", KeyValueCipher},
        {"cipher", Cipher},       {"markup", Markup},
        {"pack", Pack},           {"targa", Targa},
        {"jpeg", Jpeg},           {"dds", Dds},
        {"sprite", Sprite},       {"fontscan", FontScan},
        {"levelmask", LevelMask}, {"fieldstate", FieldState},
        {"savedgame", SavedGame}, {"top7", TopTable},
    };
    return targets;
}
} // namespace

const std::vector<std::string>& TargetNames()
{
    static const std::vector<std::string> names = []
    {
        std::vector<std::string> list;
        for (const auto& [name, target] : Targets())
            list.push_back(name);
        return list;
    }();
    return names;
}

bool Run(const std::string& target, const uint8_t* data, size_t size)
{
    auto found = Targets().find(target);
    return found != Targets().end() && found->second(data, size);
}
} // namespace NFuzz
