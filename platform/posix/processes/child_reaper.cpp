// Reaping background children with waitpid(WNOHANG).
#include "platform/posix/processes/child_reaper.h"

#include <sys/wait.h>

#include <algorithm>
#include <cerrno>

namespace menue {

std::size_t ChildReaper::reap() {
  std::erase_if(running_, [](pid_t pid) {
    int status = 0;
    const pid_t r = waitpid(pid, &status, WNOHANG);
    return r == pid || (r < 0 && errno != EINTR);
  });
  return running_.size();
}

}  // namespace menue
