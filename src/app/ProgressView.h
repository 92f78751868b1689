#pragma once
// What a long hand control operation draws its progress on: the programming page implements
// it (label over a bar) and registers it with the window's host (QtHost::SetProgressView).
#include <string>

class IProgressView {
 public:
  virtual ~IProgressView() = default;
  // label: e.g. "Programming Hand Control : 37%"; fraction: bar width, 0..1.
  virtual void ShowProgress(const std::string& label, double fraction) = 0;
};
