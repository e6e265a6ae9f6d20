// Whether a file's group is its owner's own, from every entry of the user
// database that has the group, each group looked up once.
#include "platform/posix/files/private_groups.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <set>

namespace menue {

namespace {

constexpr const char* NsswitchPath = "/etc/nsswitch.conf";

void addAccount(std::vector<uid_t>& accounts, uid_t uid) {
  if (std::find(accounts.begin(), accounts.end(), uid) == accounts.end()) accounts.push_back(uid);
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// The sources whose every entry getgrent and getpwent reach: the local
// files, and systemd's own records. A directory service (ldap, sss, nis,
// winbind) lists only what its cache holds, or nothing.
bool enumerates(std::string_view source) {
  return source == "files" || source == "systemd";
}

}  // namespace

GroupAccounts groupAccountsOf(const UserDatabase& database, gid_t group) {
  GroupAccounts out;
  out.incomplete = !database.complete;
  for (const GroupEntry& entry : database.groups) {
    if (entry.gid != group) continue;
    out.found = true;
    for (const std::string& member : entry.members) {
      const auto account =
          std::find_if(database.accounts.begin(), database.accounts.end(),
                       [&member](const AccountEntry& a) { return a.name == member; });
      if (account == database.accounts.end()) {
        out.unknownMember = true;
      } else {
        addAccount(out.accounts, account->uid);
      }
    }
  }
  for (const AccountEntry& account : database.accounts) {
    if (account.gid == group) addAccount(out.accounts, account.uid);
  }
  return out;
}

bool enumeratesFully(std::string_view nsswitch, std::string_view database) {
  while (!nsswitch.empty()) {
    const std::size_t end = std::min(nsswitch.find('\n'), nsswitch.size());
    std::string_view line = nsswitch.substr(0, end);
    nsswitch.remove_prefix(std::min(end + 1, nsswitch.size()));
    line = line.substr(0, std::min(line.find('#'), line.size()));
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    if (line.substr(0, database.size()) != database) continue;
    std::string_view rest = line.substr(database.size());
    while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
    if (rest.empty() || rest.front() != ':') continue;
    rest.remove_prefix(1);
    // Sources, with actions in brackets between them.
    bool any = false;
    while (!rest.empty()) {
      if (isBlank(rest.front())) {
        rest.remove_prefix(1);
        continue;
      }
      if (rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) return false;
        rest.remove_prefix(close + 1);
        continue;
      }
      std::size_t length = 0;
      while (length < rest.size() && !isBlank(rest[length]) && rest[length] != '[') ++length;
      if (!enumerates(rest.substr(0, length))) return false;
      any = true;
      rest.remove_prefix(length);
    }
    return any;
  }
  return true;
}

UserDatabase readUserDatabase(gid_t group) {
  UserDatabase database;
  std::string nsswitch;
  if (std::ifstream file(NsswitchPath, std::ios::binary); file) {
    nsswitch.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) database.complete = false;
  } else if (access(NsswitchPath, F_OK) == 0 || errno != ENOENT) {
    // Only a missing file is the default; one that cannot be read says nothing.
    database.complete = false;
  }
  database.complete = database.complete && enumeratesFully(nsswitch, "group") &&
                      enumeratesFully(nsswitch, "passwd");
  std::set<std::string> members;
  setgrent();
  while (const struct group* entry = getgrent()) {
    if (entry->gr_gid != group) continue;
    GroupEntry kept{group, {}};
    for (char** member = entry->gr_mem; member != nullptr && *member != nullptr; ++member) {
      kept.members.emplace_back(*member);
      members.emplace(*member);
    }
    database.groups.push_back(std::move(kept));
  }
  endgrent();
  setpwent();
  while (const struct passwd* account = getpwent()) {
    if (account->pw_gid == group || members.count(account->pw_name) != 0) {
      database.accounts.push_back({account->pw_name, account->pw_uid, account->pw_gid});
    }
  }
  endpwent();
  return database;
}

GroupAccounts lookUpGroupAccounts(gid_t group) {
  return groupAccountsOf(readUserDatabase(group), group);
}

GroupShare shareOf(const GroupAccounts& group, uid_t owner) {
  const bool othersKnown = std::any_of(group.accounts.begin(), group.accounts.end(),
                                       [owner](uid_t account) { return account != owner; });
  if (othersKnown) return GroupShare::Shared;
  // What was not read may name anyone: a missing entry, a member unknown.
  if (group.incomplete) return GroupShare::Unlisted;
  if (!group.found || group.unknownMember || group.accounts.empty()) return GroupShare::Shared;
  return GroupShare::Private;
}

bool privateTo(const GroupAccounts& group, uid_t owner) {
  return shareOf(group, owner) == GroupShare::Private;
}

GroupShare PrivateGroups::shareOf(gid_t group, uid_t owner) {
  auto known = known_.find(group);
  if (known == known_.end()) known = known_.emplace(group, lookup_(group)).first;
  return menue::shareOf(known->second, owner);
}

}  // namespace menue
