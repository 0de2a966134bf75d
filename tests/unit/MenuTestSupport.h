// Shared set-up for the menu window tests: the generated data set as the working
// folder (layouts and pictures load as in the program), an application object
// without a window, a temporary per-user folder with fresh settings, and the
// interface resources. Clicks go through the screens' own mouse operations.
#pragma once

#include "engine/AppSettings.h"
#include "app/Application.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "interface/InterfaceResources.h"
#include "platform/EventSource.h"
#include "platform/Events.h"
#include "ui/Screen.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace NMenuTest
{
class CNoEvents : public NPlatform::IEventSource
{
public:
    bool Poll(NPlatform::SEvent&) override { return false; }
    void GetCursorDesktop(int& x, int& y) override { x = y = 0; }
    uint32_t GetHeldFlags() override { return 0; }
};

// The bottom screen of a test: like the menu with its windows, it keeps what
// closes over it, so the test can still look at it.
class CHostScreen : public CScreen
{
public:
    void OnScreenClosed(std::unique_ptr<CScreen> closed) override { m_closed.push_back(std::move(closed)); }
    void OnDialogClosed(int, std::unique_ptr<CScreen> dialog) override { m_closed.push_back(std::move(dialog)); }
    // Takes a kept screen back out, to show it again.
    std::unique_ptr<CScreen> Take(CScreen* screen)
    {
        for (auto& closed : m_closed)
            if (closed.get() == screen)
                return std::move(closed);
        return nullptr;
    }

private:
    std::vector<std::unique_ptr<CScreen>> m_closed;
};

class MenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        m_previous_dir = fs::current_path();
        fs::current_path(ZONVEL_BUILD_DIR);
        m_data_folder = fs::temp_directory_path() /
                       ("zonvel-menu-" + std::to_string(::getpid()) + "-" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_data_folder);
        fs::create_directories(m_data_folder);
        CAppSettings& settings = GetAppSettings();
        m_saved_settings = std::make_unique<CAppSettings>();
        CopySettings(settings, *m_saved_settings);
        settings.m_data_folder = m_data_folder.string() + "/";
        settings.m_classic_level = 3;
        settings.m_adv_level = 3;
        NPlatform::ClearPostedEvents();
        CApplication* app = CApplication::Create();
        NPlatform::SEvent active;
        active.type = NPlatform::EEventType::Activate;
        active.active = true;
        app->HandleEvent(active);
        NPlatform::SetEventSource(&m_events);
        SetResourceManager(&m_manager);
    }

    void TearDown() override
    {
        m_resources.reset();
        SetResourceManager(nullptr);
        NPlatform::SetEventSource(nullptr);
        CApplication::Destroy();
        NPlatform::ClearPostedEvents();
        CResourceGroup::DeleteGroup(NInterface::CInterfaceResources::kGroup);
        CopySettings(*m_saved_settings, GetAppSettings());
        std::filesystem::current_path(m_previous_dir);
        std::filesystem::remove_all(m_data_folder);
    }

    // The windows' pictures, as the main menu loads them.
    void LoadInterface()
    {
        m_resources = std::make_unique<NInterface::CInterfaceResources>();
        m_resources->Load();
    }

    static void CopySettings(const CAppSettings& from, CAppSettings& to)
    {
        to.m_data_folder = from.m_data_folder;
        to.m_classic_level = from.m_classic_level;
        to.m_adv_level = from.m_adv_level;
    }

    static void Click(CScreen& screen, int x, int y)
    {
        screen.OnMouseMove(x, y, 0);
        screen.OnLButtonDown(x, y, 0);
        screen.OnLButtonUp(x, y, 0);
    }
    static void Click(CScreen& screen, const CSimpleButton& button)
    {
        Click(screen, static_cast<int>(button.GetPosition().x) + 4, static_cast<int>(button.GetPosition().y) + 4);
    }
    static void Click(CScreen& screen, const CSimpleCheckBox& box)
    {
        Click(screen, static_cast<int>(box.GetPosition().x) + 4, static_cast<int>(box.GetPosition().y) + 4);
    }
    // What the frame does at the start of the next frame after CloseTop(false).
    static void NextFrame() { CApplication::Instance()->Update(16.0f); }
    // Pushes a screen (a dialog) the test made and shows it at once; the frame owns it.
    template <class T>
    static T* Show(std::unique_ptr<T> screen, bool dialog = false)
    {
        T* shown = screen.get();
        if (dialog)
            CApplication::Instance()->PushDialog(std::move(screen));
        else
            CApplication::Instance()->PushScreen(std::move(screen));
        CApplication::Instance()->ApplyStackChanges();
        return shown;
    }

    std::string SavedGamePath() const { return (m_data_folder / "saved.dat").string(); }

    std::filesystem::path m_previous_dir;
    std::filesystem::path m_data_folder;
    std::unique_ptr<CAppSettings> m_saved_settings;
    CNoEvents m_events;
    CResourceManager m_manager;
    std::unique_ptr<NInterface::CInterfaceResources> m_resources;
};
} // namespace NMenuTest
