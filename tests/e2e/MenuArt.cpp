#include "tests/e2e/MenuArt.h"

#include "engine/KeyValueFile.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "ui/Hint.h"
#include "tests/e2e/Harness.h"
#include "ui/BitmapText.h"
#include "ui/Screen.h"

#include <filesystem>
#include <vector>

namespace NE2e
{
namespace fs = std::filesystem;

std::string BuildFolder()
{
    std::string shots = ZONVEL_E2E_SHOTS_DIR;
    return shots.substr(0, shots.rfind('/'));
}

bool CMenuArt::IsDataSetBuilt()
{
    return fs::exists(BuildFolder() + "/mui/resourses.txt") && fs::exists(BuildFolder() + "/mui/help.xml");
}

CMenuArt::CMenuArt(CHarness& harness)
{
    std::error_code ignored;
    for (const char* folder : {"mui", "dat"})
        fs::create_directory_symlink(BuildFolder() + "/" + folder, harness.GetWorkDir() + "/" + folder,
                                     ignored);
    CResourceGroup* group = CResourceGroup::GetGroup("main");
    CResourceManager* resources = GetResourceManager();
    CKeyValueFile list;
    if (group == nullptr || !list.LoadResource(resources, "mui/resourses.txt"))
        return;
    for (const auto& [name, file] : list.GetEntries())
        if (name.rfind("m_", 0) == 0 && name.find("_url") == std::string::npos)
            group->AddTexture(file, name, false, false);

    CFileBuffer fontBytes = resources->Load(list.GetString("m_font_tex", "mui/font.tga"));
    std::vector<uint8_t> scan(fontBytes.GetData(), fontBytes.GetData() + fontBytes.GetSize());
    m_font = std::make_unique<CBitmapText>();
    if (!m_font->LoadFromImage(scan.data(), static_cast<int>(scan.size()), group->GetTexture("m_font_tex")))
        return;
    CHint::SetFont(m_font.get());

    group->AddSprite("mui/dragon.spr", "menu_dragon");
    CSprite* cursor = group->AddSprite("mui/cursor.spr", "menu_cursor");
    cursor->SetBlend(true);
    cursor->SetFlip(true);
    CScreen::SetPointerSprite(cursor);
    m_loaded = true;
}

CMenuArt::~CMenuArt()
{
    CHint::SetFont(nullptr);
    CScreen::SetPointerSprite(nullptr);
}
} // namespace NE2e
