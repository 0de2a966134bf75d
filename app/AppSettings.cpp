#include "app/AppSettings.h"

CAppSettings& GetAppSettings()
{
    static CAppSettings settings;
    return settings;
}

bool CAppSettings::Load() { return false; }
bool CAppSettings::Save() const { return false; }
