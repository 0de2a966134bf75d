#include "engine/XmlNode.h"

#include "engine/KeyValueFile.h"
#include "engine/ResourceManager.h"

#include <cstdlib>

namespace
{
bool IsSpace(char c)
{
    return c == '\t' || c == '\n' || c == '\v' || c == '\r' || c == ' ';
}

size_t SkipSpace(const char* text, size_t n, size_t p)
{
    while (p < n && IsSpace(text[p]))
        ++p;
    return p;
}

bool IsCommentAt(const char* text, size_t n, size_t p)
{
    return p + 1 < n && text[p] == '/' && text[p + 1] == '/';
}

size_t SkipSpaceAndComments(const char* text, size_t n, size_t p)
{
    for (;;)
    {
        p = SkipSpace(text, n, p);
        if (!IsCommentAt(text, n, p))
            return p;
        while (p < n && text[p] != '\n')
            ++p;
    }
}

size_t SkipPast(const char* text, size_t n, size_t p, char c)
{
    while (p < n && text[p] != c)
        ++p;
    return p < n ? p + 1 : n;
}

bool EndsTagName(char c)
{
    return c == ' ' || c == '>' || c == '\n' || c == '\v';
}

// Skips the rest of an element whose children are nested too deeply to be
// kept, counting tags instead of recursing. Returns the position after its closing tag.
size_t SkipChildren(const char* text, size_t n, size_t p)
{
    int level = 1;
    while (p < n)
    {
        if (IsCommentAt(text, n, p))
        {
            while (p < n && text[p] != '\n')
                ++p;
        }
        else if (text[p] == '<')
        {
            bool closing = p + 1 < n && text[p + 1] == '/';
            p = SkipPast(text, n, p, '>');
            level += closing ? -1 : 1;
            if (level == 0)
                return SkipSpace(text, n, p);
        }
        else
        {
            ++p;
        }
    }
    return n;
}
} // namespace

CXmlNode::CXmlNode(const CXmlNode& other)
{
    *this = other;
}

CXmlNode& CXmlNode::operator=(const CXmlNode& other)
{
    if (this == &other)
        return *this;
    // Everything is copied before anything is replaced: other may be one of
    // this node's own descendants, which dropping the old children frees.
    std::vector<std::unique_ptr<CXmlNode>> children;
    children.reserve(other.m_children.size());
    for (const auto& child : other.m_children)
        children.push_back(std::make_unique<CXmlNode>(*child));
    std::string name = other.m_name;
    std::string text = other.m_text;
    auto attributes = other.m_attributes;
    const bool closed = other.m_closed;
    m_children = std::move(children);
    m_name = std::move(name);
    m_text = std::move(text);
    m_attributes = std::move(attributes);
    m_closed = closed;
    return *this;
}

CXmlNode::~CXmlNode() = default;

void CXmlNode::Reset()
{
    m_name.clear();
    m_text.clear();
    m_attributes.clear();
    m_children.clear();
    m_closed = false;
}

bool CXmlNode::Load(CResourceManager* resourceManager, const std::string& fileName)
{
    CFileBuffer buffer =
        resourceManager ? resourceManager->Load(fileName) : CResourceManager::LoadLooseFile(fileName);
    Reset();
    if (buffer.IsEmpty())
        return false;
    Parse(reinterpret_cast<const char*>(buffer.GetData()), buffer.GetSize());
    return true;
}

void CXmlNode::Parse(const char* bytes, size_t length)
{
    Reset();
    if (bytes == nullptr || length == 0)
        return;
    ParseElement(bytes, length, 0, 0);
}

size_t CXmlNode::ParseElement(const char* text, size_t n, size_t p, int depth)
{
    // 1. Find the element's '<'; a closing tag here ends the parent's children.
    for (;;)
    {
        if (p >= n)
            return n;
        if (text[p] == '<' && p + 1 < n)
        {
            if (text[p + 1] != '/')
                break;
            p = SkipPast(text, n, p, '>');
            m_closed = false;
            return SkipSpace(text, n, p);
        }
        ++p;
    }

    // 2. Name.
    p = SkipSpaceAndComments(text, n, p + 1);
    size_t start = p;
    while (p < n && !EndsTagName(text[p]) && !IsSpace(text[p]))
        ++p;
    m_name.assign(text + start, p - start);

    // 3. Attributes up to '>'.
    p = SkipSpaceAndComments(text, n, p);
    while (p < n && text[p] != '>')
    {
        size_t before = p;
        start = p;
        while (p < n && text[p] != '=' && text[p] != '>' && !IsSpace(text[p]))
            ++p;
        std::string name(text + start, p - start);
        p = SkipSpaceAndComments(text, n, p);
        if (p < n && text[p] == '=')
            ++p;
        p = SkipSpace(text, n, p);
        std::string value;
        if (p < n && text[p] == '"')
        {
            ++p;
            while (p < n && text[p] != '"')
            {
                if (text[p] == '\\' && p + 1 < n && (text[p + 1] == '"' || text[p + 1] == '\\'))
                    ++p;
                value += text[p++];
            }
            if (p < n)
                ++p; // closing quote
        }
        else
        {
            start = p;
            while (p < n && !EndsTagName(text[p]))
                ++p;
            value.assign(text + start, p - start);
        }
        m_attributes[name] = value;
        p = SkipSpaceAndComments(text, n, p);
        if (p == before)
            ++p; // never stall on a byte no rule consumes
    }
    if (p >= n)
        return n;
    ++p; // '>'

    // 4. Text content, when the next thing is not a tag.
    size_t contentStart = p;
    p = SkipSpaceAndComments(text, n, p);
    if (p < n && text[p] != '<')
    {
        p = contentStart;
        while (p < n && text[p] != '<')
        {
            if (IsCommentAt(text, n, p))
            {
                while (p < n && text[p] != '\n')
                    ++p;
                continue;
            }
            m_text += text[p++];
        }
    }

    // 5. Closing tag (its name is not compared).
    if (p + 1 < n && text[p] == '<' && text[p + 1] == '/')
    {
        p = SkipSpaceAndComments(text, n, p + 1);
        if (p < n && text[p] == '/')
            ++p;
        while (p < n && !EndsTagName(text[p]))
            ++p;
        p = SkipPast(text, n, p, '>');
        m_closed = true;
        return SkipSpace(text, n, p);
    }
    if (p >= n)
        return n;

    // 6. Children until the parent's closing tag.
    m_closed = true;
    if (depth + 1 >= kMaxDepth)
        return SkipChildren(text, n, p);
    for (;;)
    {
        p = SkipSpaceAndComments(text, n, p);
        if (p >= n)
            return n;
        auto child = std::make_unique<CXmlNode>();
        p = child->ParseElement(text, n, p, depth + 1);
        if (!child->m_closed)
            return p;
        m_children.push_back(std::move(child));
    }
}

std::vector<CXmlNode*> CXmlNode::GetChildren() const
{
    std::vector<CXmlNode*> children;
    children.reserve(m_children.size());
    for (const auto& child : m_children)
        children.push_back(child.get());
    return children;
}

CXmlNode* CXmlNode::FindChild(const std::string& name) const
{
    for (const auto& child : m_children)
        if (child->m_name == name)
            return child.get();
    return nullptr;
}

std::string CXmlNode::GetString(const std::string& attribute, const std::string& def) const
{
    auto it = m_attributes.find(attribute);
    return it == m_attributes.end() ? def : it->second;
}

int CXmlNode::GetInt(const std::string& attribute, int def) const
{
    auto it = m_attributes.find(attribute);
    if (it == m_attributes.end())
        return def;
    const char* s = it->second.c_str();
    char* end = nullptr;
    std::strtol(s, &end, 10);
    return end == s ? def : ToInt(it->second);
}

float CXmlNode::GetFloat(const std::string& attribute, float def) const
{
    auto it = m_attributes.find(attribute);
    if (it == m_attributes.end())
        return def;
    const char* s = it->second.c_str();
    char* end = nullptr;
    float v = std::strtof(s, &end);
    return end == s ? def : v;
}

CVector4 CXmlNode::GetPosition() const
{
    return CVector4(GetFloat("x", 0.0f), GetFloat("y", 0.0f), GetFloat("z", 0.0f), 1.0f);
}

CVector4 CXmlNode::GetColour() const
{
    return CVector4(GetFloat("r", 0.0f), GetFloat("g", 0.0f), GetFloat("b", 0.0f), GetFloat("a", 0.0f));
}
