#include "engine/FileBuffer.h"

#include <utility>

CFileBuffer::CFileBuffer(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
