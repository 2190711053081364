// CSunlitTextureBuilder: lights the globe's texture on a worker thread, so
// that no frame ever waits for it. A build reads its sources (shared, never
// changed once made) and its subsolar point at Start, and writes into a
// buffer of its own; the owner takes the finished texture in exchange for
// the one it showed, so that the buffers are reused minute after minute.
//
// Used from the owner's thread only; the worker touches only its buffer,
// the done flag and the stop request.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "globe/sunlight.h"

class CSunlitTextureBuilder {
 public:
  CSunlitTextureBuilder() = default;
  ~CSunlitTextureBuilder();
  CSunlitTextureBuilder(const CSunlitTextureBuilder&) = delete;
  CSunlitTextureBuilder& operator=(const CSunlitTextureBuilder&) = delete;

  // Abandons a running build and starts lighting `sources` for `sun`.
  void Start(std::shared_ptr<const SunlitSources> sources,
             const SubsolarPoint& sun);
  // Abandons a running build; nothing is left to take.
  void Stop();
  // Waits for the running build to finish.
  void Wait();
  bool Running() const { return worker.joinable(); }

  // When a build has finished since the last call: swaps its texture into
  // `pixels` (whose old content becomes the next build's buffer), tells the
  // subsolar point and the sources it was lit for, and returns true. A build
  // whose memory could not be had finishes with nothing to take.
  bool TakeFinished(std::vector<std::uint32_t>& pixels, SubsolarPoint& sun,
                    std::shared_ptr<const SunlitSources>& sources);

 private:
  void Join();

  std::shared_ptr<const SunlitSources> building;
  SubsolarPoint sunBuilt{};
  std::vector<std::uint32_t> buffer;
  std::thread worker;
  std::atomic<bool> done{false};
  std::atomic<bool> stopRequest{false};
  bool succeeded = false;  // written by the worker before `done`
};
