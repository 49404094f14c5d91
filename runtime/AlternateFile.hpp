#pragma once
// The alternate output file behind settings 18 and 19. It is opened under the bare name in the
// current directory and never through a symbolic link; a name that is not a regular file, that is
// a hard link (the file has other names), that cannot be opened, that names the file open now when
// it would be emptied, or that another open file description holds locked, raises an error (the
// last one as genCode 71 with osCode 32). The file stays locked while it is open. Bytes are written
// as they are, without any conversion. Closing makes them durable before it returns: the file is
// synced and, where its opening created the name, the directory that holds it.

#include "Value.hpp"

#include <source_location>

namespace rt {

// Opens `name`, emptied unless `additive`. True when it is open; false when the error callback
// chose the default after a failure.
bool openAlternateFile(const Text &name, bool additive, std::source_location where);

// Syncs and closes the alternate file if one is open. A sync that fails raises a Write error that
// can only be answered with its default; the bytes then count as lost (alternateFileWritesLost).
void closeAlternateFile(std::source_location where);

bool alternateFileOpen();

// Writes `bytes` to the alternate file; a failed write raises a Write error (default: the bytes
// are dropped).
void writeAlternateFile(std::string_view bytes, std::source_location where);

// True when bytes meant for the alternate file opened last were dropped after a failed write, so
// that a writer can tell a complete file from one with holes. Cleared when a file is opened
// emptied; kept when one is opened to be continued.
bool alternateFileWritesLost();

} // namespace rt
