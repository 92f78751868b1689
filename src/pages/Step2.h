#pragma once
// The port page: choose the COM port of the hand control, or "None".
#include <functional>
#include <optional>
#include <string>

#include "pages/PageBase.h"
#include "programmer/PortNames.h"

class QComboBox;
class QLabel;

class Step2 : public PageBase {
  Q_DECLARE_TR_FUNCTIONS(Step2)

 public:
  using PortProbe = std::function<bool(const std::string& name)>;

  Step2();
  void BeforePageShow(CWizard& wizard, int16_t previousStep) override;
  void BeforePageHide(CWizard& wizard, int16_t nextStep, bool& cancel) override;

  // Which COM names exist; ComPortExists unless replaced (tests).
  void SetPortProbe(PortProbe probe) { portExists_ = std::move(probe); }
  // Where the device line looks up names and devices: this machine (ports/ beside the program,
  // /dev, /sys and the system's port list) unless replaced by made-up trees (tests), which then
  // stand for the whole machine.
  void SetPortRoots(PortRoots roots) { roots_ = std::move(roots); }

 private:
  void FillPortList();
  void ShowDevice();

  QComboBox* cboComPort_;
  QLabel* lblDevice_;
  PortProbe portExists_;
  std::optional<PortRoots> roots_;
};
