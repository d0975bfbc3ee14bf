#pragma once

#include "support/SyntheticRom.h"

#include <string>

namespace quarry::test {

// Gives the whole test process folders of its own: HOME and the XDG config,
// data, cache and runtime folders all point into one temporary folder, which
// goes when the object does. Made first thing in every test program's main,
// before any library reads those variables; programs the tests start inherit
// the same environment. So parallel test processes never share a settings
// file, and none reads or writes the folders of the user running them.
class IsolatedHome {
public:
    IsolatedHome();
    IsolatedHome(const IsolatedHome&) = delete;
    IsolatedHome& operator=(const IsolatedHome&) = delete;
    const std::string& path() const { return dir_.path(); }

private:
    TempDir dir_;
};

// The folder of the process's IsolatedHome (empty when none was made).
const std::string& isolatedHomePath();

} // namespace quarry::test
