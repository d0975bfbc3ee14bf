#pragma once

#include "core/rom/Addressing.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace quarry::rom {

// cpuToBody with the bank and rules of `kind`, whose error names exactly what
// was being read ("the area record of object set 2, area 5") rather than only
// the kind of data.
std::size_t bodyIndexOf(std::uint32_t address, DataKind kind, const std::string& what);

} // namespace quarry::rom
