#include "app/WebUpdates.h"

#include "app/QtHost.h"
#include "app/frmWebUpdate.h"
#include "webupdate/SelfUpdate.h"

std::string ShowWebUpdates(QWidget* parent) {
  frmWebUpdate form(TheQtHost(), parent);
  if (form.Start()) {
    EndProgramAtOnce();
    return "";
  }
  form.exec();
  return form.FirmwareText();
}
