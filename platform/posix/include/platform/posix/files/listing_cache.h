// The listing of matching plain files that the file search keeps between
// calls, and when it may be given again: only while the directory shows the
// same stamp, and only when that stamp cannot hide a change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/files/file_stamp.h"

namespace menue {

// What of a directory changes whenever an entry is added, removed or renamed.
using DirectoryStamp = FileStamp;

struct PlainListing {
  // Plain files: they stay plain files until the directory changes.
  std::vector<std::string> files;
  // Matching names that are links: what they point to may change without
  // the directory, so they are looked at again every time.
  std::vector<std::string> links;
};

class ListingCache {
 public:
  // How far before a listing the directory's last change must lie for the
  // listing to be kept (stampSettled).
  static constexpr std::int64_t SettleNs = menue::SettleNs;

  explicit ListingCache(std::int64_t settleNs = SettleNs) : settleNs_(settleNs) {}

  // The listing kept for `pattern` while the directory shows `stamp`.
  const PlainListing* find(std::string_view pattern, const DirectoryStamp& stamp) const;
  // Keeps a listing begun at `listedAtNs` (real time) where its stamp can
  // be trusted: the file system's times are known to follow every change
  // (`trustedTimes`) and the directory's last change lies far enough back.
  // Otherwise the next call lists again.
  void keep(std::string pattern, const DirectoryStamp& stamp, bool trustedTimes,
            std::int64_t listedAtNs, PlainListing listing);

 private:
  struct Kept {
    std::string pattern;
    DirectoryStamp stamp;
    PlainListing listing;
  };
  std::int64_t settleNs_;
  std::optional<Kept> kept_;
};

}  // namespace menue
