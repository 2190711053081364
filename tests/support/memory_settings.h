// A settings store held in memory, recording the order of writes.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_store.h"

class MemorySettings : public ISettingsStore {
 public:
  const std::u16string& Path() const override { return path_; }
  std::u16string ReadString(std::u16string_view section,
                            std::u16string_view key,
                            std::u16string_view fallback) const override {
    const auto found =
        values.find({std::u16string(section), std::u16string(key)});
    return found == values.end() ? std::u16string(fallback) : found->second;
  }
  void BeginSave() override { writes.clear(); }
  void WriteString(std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    values[{std::u16string(section), std::u16string(key)}] =
        std::u16string(value);
    writes.push_back(std::u16string(section) + u"." + std::u16string(key));
  }
  bool CommitSave() override { return true; }

  void Set(std::u16string section, std::u16string key, std::u16string value) {
    values[{std::move(section), std::move(key)}] = std::move(value);
  }
  std::u16string Get(const std::u16string& section,
                     const std::u16string& key) const {
    return ReadString(section, key, u"<missing>");
  }

  std::map<std::pair<std::u16string, std::u16string>, std::u16string> values;
  std::vector<std::u16string> writes;

 private:
  std::u16string path_ = u"memory";
};
