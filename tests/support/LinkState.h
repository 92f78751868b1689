#pragma once
// The link's side of the program's globals, and the simulated hand control attached to it.
#include <memory>

#include "HandControlModel.h"
#include "SimLink.h"
#include "TestImage.h"
#include "base/Host.h"

// The image, the device's identity and the run flags as at program start, no link services.
void ResetLinkState();

// Makes the image the link programs a test image with data in the filled blocks.
void UseImage(const std::vector<testimage::BlockRange>& filled, uint32_t seed);

// A simulated hand control as the link's port (closed, as at program start) and clock;
// questions go to host.
std::unique_ptr<SimLink> AttachSimLink(IHost& host, const hcsim::Faults& faults = {}, int baud = 0);
