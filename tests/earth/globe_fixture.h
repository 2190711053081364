// A test fixture's globe: created on a fake host, with its settings held in
// memory, and the blending functions bound for its frames.
#pragma once

#include <gtest/gtest.h>

#include "parts/earth/earth_frm.h"
#include "pixels/alpha_functions.h"
#include "support/fake_host.h"
#include "support/memory_settings.h"

template <typename Host = FakeHost>
class GlobeFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    BindAlphaFunctions();
    globe.Create(host);
  }
  void TearDown() override {
    globe.Destroy();
    ReleaseAlphaFunctions();
  }
  void Load() { globe.LoadSettings(settings); }

  Host host;
  MemorySettings settings;
  CEarthFrm globe;
};
