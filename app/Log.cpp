#include "app/Log.h"

bool CLog::Open(const std::string&) { return false; }
void CLog::Write(const char*, ...) {}
void CLog::Close() {}
const std::string& CLog::GetPath() { static std::string s; return s; }
