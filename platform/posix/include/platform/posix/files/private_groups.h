// Whether a file's group is its owner's own: a group whose one account is
// the owner (a user-private group, as Debian gives every user) lets no one
// else write the file, so group write is no danger there.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace menue {

// The accounts a group holds, as the user database says: the ones named in
// its member list and the ones that have it as their primary group.
struct GroupAccounts {
  bool found = false;          // the group has an entry
  bool unknownMember = false;  // a member name no account has
  std::vector<uid_t> accounts;
};

// Asks the user database (getgrgid, getpwnam, getpwent).
GroupAccounts lookUpGroupAccounts(gid_t group);

// The rule: the group has exactly one account, the owner. A group of no
// account is no one's own (setgid programs use such groups).
bool privateTo(const GroupAccounts& group, uid_t owner);

// The answers of the user database, asked once per group: a pass costs no
// look-up once the group was seen, and a large database is walked once.
class PrivateGroups {
 public:
  using Lookup = std::function<GroupAccounts(gid_t)>;
  explicit PrivateGroups(Lookup lookup = lookUpGroupAccounts) : lookup_(std::move(lookup)) {}

  bool privateTo(gid_t group, uid_t owner);

 private:
  Lookup lookup_;
  std::map<gid_t, GroupAccounts> known_;
};

}  // namespace menue
