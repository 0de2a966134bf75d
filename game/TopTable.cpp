#include "game/TopTable.h"

#include "engine/KeyValueFile.h"
#include "engine/UserFiles.h"

#include <cstdio>
#include <utility>

namespace NGame
{
namespace
{
std::string NameKey(int table, int place)
{
    char key[48];
    std::snprintf(key, sizeof key, "top7.rec_name%03d%03d", table, place);
    return key;
}

std::string PointsKey(int table, int place)
{
    char key[48];
    std::snprintf(key, sizeof key, "top7.rec_points%03d%03d", table, place);
    return key;
}
} // namespace

CTopTable::CTopTable(int tableCount)
    : m_tables(static_cast<size_t>(tableCount > 0 ? tableCount : 0), std::vector<SRecord>(kPlaces))
{
}

void CTopTable::Load(const CKeyValueFile& file)
{
    for (int t = 0; t < GetTableCount(); ++t)
        for (int r = 0; r < kPlaces; ++r)
        {
            SRecord& record = m_tables[t][r];
            // A hand-edited file could hold an unstorable name; keep the next write sound.
            record.name = MakeStorable(file.GetString(NameKey(t, r), kDefaultName));
            record.points = file.GetInt(PointsKey(t, r), 0);
        }
}

void CTopTable::Save(CKeyValueFile& file) const
{
    for (int t = 0; t < GetTableCount(); ++t)
        for (int r = 0; r < kPlaces; ++r)
        {
            file.SetString(NameKey(t, r), m_tables[t][r].name);
            file.SetInt(PointsKey(t, r), m_tables[t][r].points);
        }
}

void CTopTable::Open(const std::string& path)
{
    m_path = path;
    CKeyValueFile file;
    NUserFiles::Load(file, path, kCipherKey, kCipherKeyLength, "top7.");
    Load(file);
}

bool CTopTable::Write() const
{
    if (m_path.empty())
        return false;
    CKeyValueFile file;
    Save(file);
    return NUserFiles::Save(file, m_path, kCipherKey, kCipherKeyLength, "The top table");
}

bool CTopTable::Qualifies(int table, int points) const
{
    return IsValid(table, kPlaces - 1) && points > m_tables[table][kPlaces - 1].points;
}

void CTopTable::Add(int table, int points, const std::string& name)
{
    if (!IsValid(table, 0))
        return;
    std::vector<SRecord>& records = m_tables[table];
    records[kPlaces - 1] = SRecord{MakeStorable(name), points};
    for (int r = kPlaces - 1; r > 0 && records[r - 1].points < records[r].points; --r)
        std::swap(records[r - 1], records[r]);
    if (!m_path.empty())
        Write();
}

std::string CTopTable::GetName(int table, int place) const
{
    return IsValid(table, place) ? m_tables[table][place].name : std::string();
}

int CTopTable::GetPoints(int table, int place) const
{
    return IsValid(table, place) ? m_tables[table][place].points : 0;
}

bool CTopTable::IsValid(int table, int place) const
{
    return table >= 0 && table < GetTableCount() && place >= 0 && place < kPlaces;
}

bool CTopTable::IsStorableName(const std::string& name)
{
    return name.find('"') == std::string::npos && name.find("//") == std::string::npos;
}

std::string CTopTable::MakeStorable(const std::string& name)
{
    std::string clean;
    for (char c : name)
    {
        if (c == '"' || (c == '/' && !clean.empty() && clean.back() == '/'))
            continue;
        clean.push_back(c);
    }
    return clean;
}
} // namespace NGame
