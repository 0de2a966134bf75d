#include "engine/KeyValueFile.h"

bool CKeyValueFile::LoadFile(const std::string&, bool, const char*, int) { return false; }
bool CKeyValueFile::LoadResource(CResourceManager*, const std::string&, bool, const char*, int) { return false; }
bool CKeyValueFile::Parse(const uint8_t*, int, bool, const char*, int) { return false; }
bool CKeyValueFile::Parse(const std::string&, bool) { return false; }
bool CKeyValueFile::SaveFile(const std::string&, const char*, int) const { return false; }
std::string CKeyValueFile::BuildText() const { return {}; }
std::string CKeyValueFile::GetString(const std::string&, const std::string& def) const { return def; }
int CKeyValueFile::GetInt(const std::string&, int def) const { return def; }
bool CKeyValueFile::GetBool(const std::string&, bool def) const { return def; }
float CKeyValueFile::GetFloat(const std::string&, float def) const { return def; }
CVector4 CKeyValueFile::GetVector(const std::string&) const { return {}; }
void CKeyValueFile::SetString(const std::string& key, const std::string& value) { m_entries[key] = value; }
void CKeyValueFile::SetInt(const std::string& key, int value) { m_entries[key] = std::to_string(value); }
void CKeyValueFile::SetFloat(const std::string& key, float value) { m_entries[key] = std::to_string(value); }
int ToInt(const std::string&) { return 0; }
bool ToBool(const std::string&) { return false; }
float ToFloat(const std::string&) { return 0.0f; }
