// A standard stream for the tests that keeps what was written to it.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

class CollectedStream : public StandardStream {
 public:
  void writeBytes(std::string_view systemForm) override { text += systemForm; }
  void writeText(std::string_view windows1252) override { text += windows1252; }
  std::string text;
};

}  // namespace menue
