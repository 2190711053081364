// The settings file of a running program: one store at a time, saved in one
// step, moving to the per-user file when its own place cannot be written,
// and telling its owner once when nothing could be written at all.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/settings_location.h"
#include "settings/settings_store.h"

class CSettingsFile {
 public:
  // `makeFolder` creates the folder a file path lies in (and its parents);
  // false when it cannot.
  using MakeFolder = std::function<bool(const std::u16string& filePath)>;

  CSettingsFile(SettingsLocation location, MakeFolder makeFolder);

  const ISettingsStore& Store() const { return *store; }
  const std::u16string& Path() const { return store->Path(); }

  enum class SaveResult { kSaved, kMoved, kFailed };
  // Writes every setting through `write` (called between BeginSave and
  // CommitSave; again for the fallback file if the first place fails).
  SaveResult Save(const std::function<void(ISettingsStore&)>& write);

  // True once after the first save that wrote nowhere, so that the failure
  // is reported once, never silently and never again and again.
  bool TakeFailureToReport();

 private:
  bool SaveTo(ISettingsStore& target,
              const std::function<void(ISettingsStore&)>& write);

  SettingsLocation location;
  MakeFolder makeFolder;
  std::unique_ptr<ISettingsStore> store;
  bool failureReported = false;
  bool failurePending = false;
};
