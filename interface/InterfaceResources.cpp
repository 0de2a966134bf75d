#include "interface/InterfaceResources.h"

#include "engine/KeyValueFile.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/Texture.h"
#include "ui/Hint.h"

#include <algorithm>
#include <iterator>

namespace NInterface
{
namespace
{
CInterfaceResources* g_instance = nullptr;
}

const char* const CInterfaceResources::kPictureNames[] = {
    "m_qk_btn",           "m_new_game_btn",        "m_new_game_adv_btn",   "m_new_game_custom_btn",
    "m_continue_btn",     "m_quit_game_btn",       "m_ok_btn",             "m_help_btn",
    "m_enter_name_editbox", "m_top7_btn",          "m_options_btn",        "m_mini_btn",
    "m_fullscreen_btn",   "m_help_next_btn",       "m_help_prev_btn",      "m_top_next_btn",
    "m_top_prev_btn",     "m_back_btn",            "m_cancel_btn",         "m_check_box",
    "m_check_box2",       "m_music_track_bar",     "m_visit_btn",          "m_start_btn",
    "m_gift_btn",         "m_continuesaved_btn",   "m_startnew_btn",       "m_main_window_back",
    "m_options_window_back", "m_enter_name_dlg_back", "m_continue_dlg_back", "m_help_window_back",
    "m_top_window_back",  "m_moregames_wnd",       "m_cust_lev_wnd",
};
const int CInterfaceResources::kPictureCount = static_cast<int>(std::size(kPictureNames));

namespace
{
// Full-window backgrounds of the windows and dialogs over the menu: a
// megabyte or more each, and only one is on screen at a time.
bool IsWindowPicture(const std::string& name)
{
    static const char* const kWindowPictures[] = {
        "m_options_window_back", "m_enter_name_dlg_back", "m_continue_dlg_back", "m_help_window_back",
        "m_top_window_back",     "m_moregames_wnd",       "m_cust_lev_wnd",
    };
    return std::find(std::begin(kWindowPictures), std::end(kWindowPictures), name) != std::end(kWindowPictures);
}
} // namespace

CInterfaceResources::CInterfaceResources()
{
    g_instance = this;
}

CInterfaceResources::~CInterfaceResources()
{
    if (g_instance == this)
        g_instance = nullptr;
    if (CHint::GetFont() == &m_font)
        CHint::SetFont(nullptr);
}

void CInterfaceResources::Load()
{
    CResourceManager* manager = GetResourceManager();
    m_group = CResourceGroup::GetGroup(kGroup);
    if (!m_group)
        m_group = CResourceGroup::CreateGroup(kGroup, manager);

    // The font's glyphs are measured from the same picture the texture shows.
    CFileBuffer font = manager ? manager->Load(kFontFile) : CResourceManager::LoadLooseFile(kFontFile);
    if (!font.IsEmpty())
    {
        CTexture* fontTexture = m_group->AddTexture(kFontFile, "m_font_tex", false, false);
        m_font.LoadFromImage(font.GetBytes().data(), font.GetSize(), fontTexture);
        // Hints and windows draw with the same font.
        CHint::SetFont(&m_font);
    }

    // Without the list there is no interface data at all: nothing is
    // registered, so art registered later under the same names is found.
    CKeyValueFile list;
    if (!list.LoadResource(manager, kListFile))
        return;
    for (const char* name : kPictureNames)
    {
        if (IsWindowPicture(name))
            m_window_pictures[name] = list.GetString(name, "");
        else
            m_group->AddTexture(list.GetString(name, ""), name, false, false);
    }
    m_locked = m_group->AddTexture(kLockFile, "m_locked", false, false);
    m_dragon = m_group->AddSprite("mui/dragon.spr", "menu_dragon");
    m_cursor = m_group->AddSprite("mui/cursor.spr", "menu_cursor");

    m_maker_address = list.GetString("m_qk_url", "web/about.html");
    m_gifts_address = list.GetString("m_gift_url", "web/gifts.html");
}

CTexture* CInterfaceResources::GetTexture(const std::string& name) const
{
    if (!m_group)
        return nullptr;
    if (CTexture* texture = m_group->GetTexture(name))
        return texture;
    const auto deferred = m_window_pictures.find(name);
    if (deferred == m_window_pictures.end())
        return nullptr;
    return m_group->AddTexture(deferred->second, name, false, false);
}

bool CInterfaceResources::IsLoaded(const std::string& name) const
{
    return m_group && m_group->GetTexture(name);
}

void CInterfaceResources::ReleaseWindowPictures()
{
    if (!m_group)
        return;
    for (const auto& [name, file] : m_window_pictures)
        m_group->RemoveTexture(name);
}

CInterfaceResources* GetInterfaceResources()
{
    return g_instance;
}
} // namespace NInterface
