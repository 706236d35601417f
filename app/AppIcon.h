// The program's icon: a lightning bolt striking a bar, drawn at start-up in the sizes a title bar
// and a task bar ask for.
#pragma once

#include <QIcon>

QIcon ZorantIcon();
