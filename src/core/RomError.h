#pragma once

#include <stdexcept>
#include <string>

namespace quarry {

// Every failure the core can meet while reading or writing game data. The
// message is meant for the user: what was being read, and where.
class RomError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace quarry
