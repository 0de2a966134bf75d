// The whole contents of one named file, as read by the resource manager.
// An empty buffer means "missing or unreadable"; readers only ever read it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CFileBuffer
{
  public:
    CFileBuffer() = default;
    explicit CFileBuffer(std::vector<uint8_t> bytes);

    const uint8_t* GetData() const { return m_bytes.data(); }
    size_t GetSize() const { return m_bytes.size(); }
    bool IsEmpty() const { return m_bytes.empty(); }
    const std::vector<uint8_t>& GetBytes() const { return m_bytes; }
    std::vector<uint8_t>& GetBytes() { return m_bytes; }
    std::string AsString() const { return std::string(m_bytes.begin(), m_bytes.end()); }

  private:
    std::vector<uint8_t> m_bytes;
};
