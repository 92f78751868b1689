#include "webupdate/WebUpdates.h"

#include "webupdate/SelfUpdate.h"
#include "webupdate/frmWebUpdate.h"
#include "wizard/QtHost.h"

std::string ShowWebUpdates(QWidget* parent) {
  frmWebUpdate form(TheQtHost(), parent);
  if (form.Start()) {
    EndProgramAtOnce();
    return "";
  }
  form.exec();
  return form.FirmwareText();
}
