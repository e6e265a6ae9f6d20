// Whether a file's group is its owner's own, from the user database, each
// group looked up once.
#include "platform/posix/files/private_groups.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace menue {

namespace {

// getgrgid_r and getpwnam_r with a buffer that grows while too small.
template <typename Entry, typename Call>
bool lookUp(Entry& entry, std::string& buffer, Call call) {
  buffer.resize(1024);
  for (;;) {
    Entry* result = nullptr;
    const int failure = call(&entry, buffer.data(), buffer.size(), &result);
    if (failure == ERANGE && buffer.size() < (1u << 24)) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    return failure == 0 && result != nullptr;
  }
}

void addAccount(std::vector<uid_t>& accounts, uid_t uid) {
  if (std::find(accounts.begin(), accounts.end(), uid) == accounts.end()) accounts.push_back(uid);
}

}  // namespace

GroupAccounts lookUpGroupAccounts(gid_t gid) {
  GroupAccounts out;
  struct group entry {};
  std::string buffer;
  if (!lookUp(entry, buffer, [gid](struct group* e, char* b, std::size_t n, struct group** r) {
        return getgrgid_r(gid, e, b, n, r);
      })) {
    return out;
  }
  out.found = true;
  for (char** member = entry.gr_mem; member != nullptr && *member != nullptr; ++member) {
    struct passwd account {};
    std::string accountBuffer;
    const char* name = *member;
    if (lookUp(account, accountBuffer,
               [name](struct passwd* e, char* b, std::size_t n, struct passwd** r) {
                 return getpwnam_r(name, e, b, n, r);
               })) {
      addAccount(out.accounts, account.pw_uid);
    } else {
      out.unknownMember = true;
    }
  }
  // Every account whose primary group it is; the database is walked once
  // for the group.
  setpwent();
  while (const struct passwd* account = getpwent()) {
    if (account->pw_gid == gid) addAccount(out.accounts, account->pw_uid);
  }
  endpwent();
  return out;
}

bool privateTo(const GroupAccounts& group, uid_t owner) {
  return group.found && !group.unknownMember && group.accounts.size() == 1 &&
         group.accounts.front() == owner;
}

bool PrivateGroups::privateTo(gid_t group, uid_t owner) {
  auto known = known_.find(group);
  if (known == known_.end()) known = known_.emplace(group, lookup_(group)).first;
  return menue::privateTo(known->second, owner);
}

}  // namespace menue
