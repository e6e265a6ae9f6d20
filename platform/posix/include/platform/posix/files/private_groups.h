// Whether a file's group is its owner's own: a group whose one account is
// the owner (a user-private group, as Debian gives every user) lets no one
// else write the file, so group write is no danger there.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace menue {

// The user database as far as the rule needs it. The kernel gives a
// process the gid of every group entry that names it, so every entry of a
// gid counts, not only the first one getgrgid finds.
struct GroupEntry {
  gid_t gid = 0;
  std::vector<std::string> members;
};
struct AccountEntry {
  std::string name;
  uid_t uid = 0;
  gid_t gid = 0;  // the primary group
};
struct UserDatabase {
  // Every entry could be walked: a source that does not enumerate (an
  // LDAP or sssd directory) may hold further entries of any gid.
  bool complete = true;
  std::vector<GroupEntry> groups;
  std::vector<AccountEntry> accounts;
};

// The accounts a group holds: the ones named in any of its entries and the
// ones that have it as their primary group.
struct GroupAccounts {
  bool found = false;          // the group has an entry
  bool unknownMember = false;  // a member name no account has
  std::vector<uid_t> accounts;
  bool incomplete = false;  // the database could not be read in full
};

GroupAccounts groupAccountsOf(const UserDatabase& database, gid_t group);

// Whether the sources nsswitch.conf names for `database` ("group",
// "passwd") can all be walked in full; a missing line or file is the
// C library's default, the local files.
bool enumeratesFully(std::string_view nsswitch, std::string_view database);

// The system's database, walked (setgrent, setpwent) for one group.
UserDatabase readUserDatabase(gid_t group);

// Asks the system's user database for one group.
GroupAccounts lookUpGroupAccounts(gid_t group);

// Whose a group is, for a file of `owner` in it.
enum class GroupShare {
  Private,   // the owner is its one account
  Shared,    // someone else may be in it, as far as the database says
  Unlisted,  // the owner alone as far as read, but the database was not read in full
};
GroupShare shareOf(const GroupAccounts& group, uid_t owner);

// The rule: the group has exactly one account, the owner. A group of no
// account is no one's own (setgid programs use such groups).
bool privateTo(const GroupAccounts& group, uid_t owner);

// The answers of the user database, asked once per group: a pass costs no
// look-up once the group was seen, and a large database is walked once.
class PrivateGroups {
 public:
  using Lookup = std::function<GroupAccounts(gid_t)>;
  explicit PrivateGroups(Lookup lookup = lookUpGroupAccounts) : lookup_(std::move(lookup)) {}

  GroupShare shareOf(gid_t group, uid_t owner);
  bool privateTo(gid_t group, uid_t owner) { return shareOf(group, owner) == GroupShare::Private; }

 private:
  Lookup lookup_;
  std::map<gid_t, GroupAccounts> known_;
};

}  // namespace menue
