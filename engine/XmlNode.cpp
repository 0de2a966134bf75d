#include "engine/XmlNode.h"

CXmlNode::CXmlNode(const CXmlNode& other) { *this = other; }
CXmlNode& CXmlNode::operator=(const CXmlNode&) { return *this; }
CXmlNode::~CXmlNode() = default;
bool CXmlNode::Load(CResourceManager*, const std::string&) { return false; }
void CXmlNode::Parse(const char*, int) {}
std::vector<CXmlNode*> CXmlNode::GetChildren() const { return {}; }
CXmlNode* CXmlNode::FindChild(const std::string&) const { return nullptr; }
std::string CXmlNode::GetString(const std::string&, const std::string& def) const { return def; }
int CXmlNode::GetInt(const std::string&, int def) const { return def; }
float CXmlNode::GetFloat(const std::string&, float def) const { return def; }
CVector4 CXmlNode::GetPosition() const { return {}; }
CVector4 CXmlNode::GetColour() const { return {0, 0, 0, 0}; }
void CXmlNode::Reset() {}
size_t CXmlNode::ParseElement(const char*, size_t, size_t pos, int) { return pos; }
