#pragma once
// The program's four wizard pages, in page order, for the controller to add under "One" to
// "Four". The wizard takes them over.
#include <vector>

class IWizardPage;

std::vector<IWizardPage*> MakeWizardPages();
