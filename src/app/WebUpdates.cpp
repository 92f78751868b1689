#include "app/WebUpdates.h"

#include "app/QtHost.h"
#include "app/frmWebUpdate.h"
#include "webupdate/SelfUpdate.h"

std::string ShowWebUpdates(QWidget* parent) {
  frmWebUpdate form(TheQtHost(), parent);
  // Modal to the wizard only: the help window stays usable while this one is open.
  form.setWindowModality(Qt::WindowModal);
  if (form.Start(true)) {
    EndProgramAtOnce();
    return "";
  }
  form.exec();
  return form.FirmwareText();
}
