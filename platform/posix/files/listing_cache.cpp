// When a kept listing of plain files may be given again.
#include "platform/posix/files/listing_cache.h"

#include <utility>

namespace menue {

const PlainListing* ListingCache::find(std::string_view pattern,
                                       const DirectoryStamp& stamp) const {
  if (!kept_ || kept_->pattern != pattern || !(kept_->stamp == stamp)) return nullptr;
  return &kept_->listing;
}

void ListingCache::keep(std::string pattern, const DirectoryStamp& stamp, bool trustedTimes,
                        std::int64_t listedAtNs, PlainListing listing) {
  if (!stampSettled(stamp, trustedTimes, listedAtNs, settleNs_)) {
    kept_.reset();
    return;
  }
  kept_ = Kept{std::move(pattern), stamp, std::move(listing)};
}

}  // namespace menue
