// The pictures, font and sprites every menu window and dialog shares. The main
// menu makes the one instance before anything else and deletes it last; the
// other windows reach it through GetInterfaceResources().
#pragma once

#include "ui/BitmapText.h"

#include <map>
#include <string>

class CResourceGroup;
class CSprite;
class CTexture;

namespace NInterface
{
class CInterfaceResources
{
public:
    static constexpr const char* kListFile = "mui/resourses.txt";
    static constexpr const char* kFontFile = "mui/font.tga";
    static constexpr const char* kLockFile = "mui/locked.tga";
    static constexpr const char* kGroup = "main";
    // Every picture the list names, loaded under its own name.
    static const char* const kPictureNames[];
    static const int kPictureCount;

    // Registers itself as the program-wide instance.
    CInterfaceResources();
    ~CInterfaceResources();
    CInterfaceResources(const CInterfaceResources&) = delete;
    CInterfaceResources& operator=(const CInterfaceResources&) = delete;

    // Reads the list and loads everything into the group "main" (made when
    // missing). Missing files leave empty pictures; nothing here fails hard.
    void Load();

    // A picture by its list name; null when it is not in the group. A window's
    // background is read on the first call, not by Load: the menu holds only its own.
    CTexture* GetTexture(const std::string& name) const;
    // Lets go of the window backgrounds read so far (a window closed; the next
    // one shown reads its own again).
    void ReleaseWindowPictures();
    bool IsLoaded(const std::string& name) const;
    const CBitmapText& GetFont() const { return m_font; }
    CTexture* GetLocked() const { return m_locked; }
    CSprite* GetDragon() const { return m_dragon; }
    CSprite* GetCursor() const { return m_cursor; }
    // Pages the web buttons open, relative to the program's folder.
    const std::string& GetMakerAddress() const { return m_maker_address; }
    const std::string& GetGiftsAddress() const { return m_gifts_address; }

private:
    CResourceGroup* m_group = nullptr; // owned by the group registry
    std::map<std::string, std::string> m_window_pictures; // list name -> file, read on demand
    CBitmapText m_font;
    CTexture* m_locked = nullptr;
    CSprite* m_dragon = nullptr;
    CSprite* m_cursor = nullptr;
    std::string m_maker_address = "web/about.html";
    std::string m_gifts_address = "web/gifts.html";
};

// Null while no menu exists (tests that build a window on its own).
CInterfaceResources* GetInterfaceResources();
} // namespace NInterface
