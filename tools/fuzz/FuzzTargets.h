// The fuzz targets' bodies, one per reader of bytes from a file. libFuzzer
// runs them through FuzzMain.cpp; the unit tests replay tests/corpus/ through
// the same functions, so every input that once broke a reader stays checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace NFuzz
{
// Target names, as in tools/fuzz.sh and the folders of tests/corpus/.
const std::vector<std::string>& TargetNames();

// Feeds one input to a target. False when the reader accepted it but left
// something broken that no sanitizer would see (an unknown name is false too).
bool Run(const std::string& target, const uint8_t* data, size_t size);
} // namespace NFuzz
