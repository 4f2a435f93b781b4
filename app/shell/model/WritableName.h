#pragma once

// Whether a file can be written under a name, asked before any file of a save is written, so that a
// save that cannot write all its files writes none.

#include <string>

namespace shell {

// Why no whole new file can be put under path: its folder is missing or takes no new file, its name is
// too long for the folder or the system, or the name is held by something that is no writable regular
// file. Empty when it can (a full disk still shows only when the file is written).
std::string WhyNotWritable(const std::string& path);

} // namespace shell
