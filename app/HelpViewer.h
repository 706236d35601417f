// The program's help viewer: shows one topic of a help file, and stays usable while a
// modal window is open.
#pragma once

#include <QString>

void ShowHelpTopic(const QString& fileName, int context);
