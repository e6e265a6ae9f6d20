// The programs started without waiting: reaped without blocking once they
// end, so none is left as a zombie.
#pragma once

#include <sys/types.h>

#include <vector>

namespace menue {

class ChildReaper {
 public:
  void add(pid_t pid) { running_.push_back(pid); }
  // Collects the ended ones; returns how many still run.
  std::size_t reap();

 private:
  std::vector<pid_t> running_;
};

}  // namespace menue
