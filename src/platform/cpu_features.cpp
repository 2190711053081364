#include "platform/cpu_features.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace {
constexpr unsigned kSse2 = unsigned(CpuFeature::kSse2);
constexpr unsigned kAvx2 = unsigned(CpuFeature::kAvx2);

unsigned ProbeHardware() {
#if defined(__x86_64__) || defined(__i386__)
  // We may run before main, from a static initialiser.
  __builtin_cpu_init();
  unsigned found = 0;
  if (__builtin_cpu_supports("sse2")) found |= kSse2;
  if (__builtin_cpu_supports("avx2")) found |= kAvx2;
  return found;
#else
  return 0;
#endif
}

unsigned Hardware() {
  static const unsigned features = ProbeHardware();
  return features;
}

unsigned Usable() {
  static const unsigned features = [] {
    const char* list = std::getenv("ONDRAVA_DISABLE");
    return Hardware() & ~DisabledCpuFeatures(list ? list : "");
  }();
  return features;
}

unsigned FeatureNamed(const std::string& name) {
  if (name == "sse2") return kSse2 | kAvx2;
  if (name == "avx2") return kAvx2;
  return 0;
}
}  // namespace

bool CpuSupports(CpuFeature feature) {
  return (Hardware() & unsigned(feature)) != 0;
}

bool CpuUses(CpuFeature feature) { return (Usable() & unsigned(feature)) != 0; }

unsigned DisabledCpuFeatures(std::string_view list) {
  unsigned disabled = 0;
  std::string name;
  for (std::size_t i = 0; i <= list.size(); ++i) {
    const char c = i < list.size() ? list[i] : ',';
    if (c == ',' || std::isspace(static_cast<unsigned char>(c))) {
      disabled |= FeatureNamed(name);
      name.clear();
    } else {
      name += char(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return disabled;
}
