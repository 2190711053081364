#include "app/settings_file.h"

#include <utility>

CSettingsFile::CSettingsFile(SettingsLocation where, MakeFolder folder)
    : location(std::move(where)),
      makeFolder(std::move(folder)),
      store(MakeSettingsStore(location.path)) {}

bool CSettingsFile::SaveTo(ISettingsStore& target,
                           const std::function<void(ISettingsStore&)>& write) {
  target.BeginSave();
  write(target);
  return target.CommitSave();
}

CSettingsFile::SaveResult CSettingsFile::Save(
    const std::function<void(ISettingsStore&)>& write) {
  if (location.makesFolder && makeFolder) makeFolder(location.path);
  if (SaveTo(*store, write)) return SaveResult::kSaved;
  if (!location.fallback.empty() && makeFolder &&
      makeFolder(location.fallback)) {
    std::unique_ptr<ISettingsStore> moved =
        MakeSettingsStore(location.fallback);
    if (SaveTo(*moved, write)) {
      // From now on the per-user file is the settings file.
      store = std::move(moved);
      location = {location.fallback, {}, true};
      return SaveResult::kMoved;
    }
  }
  if (!failureReported) failurePending = true;
  return SaveResult::kFailed;
}

bool CSettingsFile::TakeFailureToReport() {
  if (!failurePending) return false;
  failurePending = false;
  failureReported = true;
  return true;
}
