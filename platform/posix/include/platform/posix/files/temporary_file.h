// The temporary file a replacement writes beside its target: unnamed where
// the system can (O_TMPFILE), named after the writer's process otherwise,
// and the removal of those left by writers that were killed.
#pragma once

#include <string>

namespace menue {

// Removes the temporaries of programs that no longer run (killed between
// naming their file and the rename), so they cannot pile up.
void removeStaleTemporaries(const std::string& directory);
// Opens the file the new text is written to, mode 0600. `temporary` stays
// empty when the file has no name yet; otherwise it names the file.
int openTemporary(const std::string& directory, std::string& temporary);
// Gives the unnamed file a name beside its target: 0 or the errno.
int nameTemporary(int fd, const std::string& directory, std::string& temporary);

}  // namespace menue
