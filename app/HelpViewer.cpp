#include "HelpViewer.h"

void ShowHelpTopic(const QString&, int) {}
