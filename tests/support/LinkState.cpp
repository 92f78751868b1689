#include "LinkState.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "programmer/Image.h"
#include "programmer/Link.h"

void ResetLinkState() {
  SetLinkServices(nullptr, nullptr, nullptr);
  gFirmwareFile.clear();
  gFileChecksum.clear();
  gHcType = "Unknown";
  gHcMajor = gHcMinor = 0;
  gHcChecksum.clear();
  gImage.fill(0xFF);
  gImageLoadFailed = false;
}

void UseImage(const std::vector<testimage::BlockRange>& filled, uint32_t seed) {
  const auto image = testimage::MakeImage(filled, {}, seed);
  ASSERT_TRUE(image && image->size() == gImage.size()) << "a block outside the image";
  std::copy(image->begin(), image->end(), gImage.begin());
}

std::unique_ptr<SimLink> AttachSimLink(IHost& host, const hcsim::Faults& faults, int baud) {
  auto sim = std::make_unique<SimLink>(faults, baud);
  SetLinkServices(sim.get(), sim.get(), &host);
  return sim;
}
