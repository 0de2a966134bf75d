// The small markup reader of the hint and help files: elements, attributes,
// text and // comments only. Malformed input is read as far as it makes sense, never past its end.
#pragma once

#include "engine/Vector4.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CResourceManager;

class CXmlNode
{
  public:
    // Deeper elements are skipped, so hostile nesting cannot exhaust the stack.
    static constexpr int kMaxDepth = 256;

    CXmlNode() = default;
    CXmlNode(const CXmlNode& other);
    CXmlNode& operator=(const CXmlNode& other);
    ~CXmlNode();

    // Reads through the resource manager, or straight from disk when null;
    // false when the file is missing or empty.
    bool Load(CResourceManager* resourceManager, const std::string& fileName);
    void Parse(const char* bytes, size_t length);
    void Parse(const std::string& text) { Parse(text.data(), text.size()); }

    std::string GetName() const { return m_name; }
    std::string GetText() const { return m_text; }
    // The nodes stay owned by this node.
    std::vector<CXmlNode*> GetChildren() const;
    CXmlNode* FindChild(const std::string& name) const;
    const std::map<std::string, std::string>& GetAttributes() const { return m_attributes; }
    bool IsClosed() const { return m_closed; }

    std::string GetString(const std::string& attribute, const std::string& def) const;
    int GetInt(const std::string& attribute, int def) const;
    float GetFloat(const std::string& attribute, float def) const;
    // Attributes x, y, z (default 0), w = 1.
    CVector4 GetPosition() const;
    // Attributes r, g, b, a (default 0).
    CVector4 GetColour() const;

  private:
    void Reset();
    size_t ParseElement(const char* text, size_t length, size_t pos, int depth);

    std::string m_name;
    std::string m_text;
    std::map<std::string, std::string> m_attributes;
    std::vector<std::unique_ptr<CXmlNode>> m_children;
    bool m_closed = false;
};
