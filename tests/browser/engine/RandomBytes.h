#pragma once

#include <cstddef>
#include <string>

// Bytes that do not compress and are the same for the same seed: download
// bodies whose every byte can be checked.
std::string randomBytes(std::size_t size, unsigned seed);
