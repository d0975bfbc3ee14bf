#pragma once

#include <cstdint>
#include <string>

namespace quarry {

// Upper-case hexadecimal, padded with zeros and cut to its last `digits`
// digits, the way every number is shown to the user.
std::string hexDigits(std::uint32_t value, int digits);

// The value of a hexadecimal digit (either case), or -1.
int hexDigitValue(char c);

// "$1234": a CPU address as the user sees it.
std::string cpuAddressText(std::uint32_t address);

// "0x01F7BB": a file offset as the user sees it (more digits only when needed).
std::string fileOffsetText(std::uint32_t offset);

} // namespace quarry
