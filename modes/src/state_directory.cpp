// The user's state directory for the command-line modes, refused with a
// line saying why.
#include "modes/state_directory.h"

#include "session/path_text.h"

namespace menue {

std::optional<std::string> usableStateDirectory(FileSystem& files, Environment& environment,
                                                const PathRules& rules, StandardStream& err) {
  const std::string directory = environment.stateDirectory();
  if (directory.empty()) {
    writeErrorLine(err, "menue",
                   "kein Verzeichnis f\xFCr den Zustand (HOME oder XDG_STATE_HOME fehlt)");
    return std::nullopt;
  }
  const PlatformCode failure = files.makePrivateDirectory(directory);
  if (failure == code::Success) return directory;
  writeErrorLine(err, visiblePath(directory, rules),
                 failure == code::AccessDenied
                     ? "nicht benutzt: geh\xF6rt einem anderen, ist f\xFCr andere offen oder "
                       "liegt in einem Verzeichnis, das andere beschreiben d\xFCrfen"
                     : pathFailureText(failure));
  return std::nullopt;
}

std::optional<ExitStatus> enterWithStateDirectory(CommandServices::Services& services,
                                                  const std::string& path, StandardStream& err,
                                                  MenuFileTarget& target) {
  if (const PlatformCode failure = enterMenuFile(services.files, services.rules, path, target);
      failure != code::Success) {
    writeErrorLine(err, target.shown, pathFailureText(failure));
    return ExitStatus::Unusable;
  }
  if (!usableStateDirectory(services.files, services.environment, services.rules, err)) {
    return ExitStatus::Unusable;
  }
  return std::nullopt;
}

}  // namespace menue
