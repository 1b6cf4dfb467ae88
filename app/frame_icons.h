// The program's icon and the toolbar pictures, drawn at run time so that no image
// files need to be installed.
#pragma once

#include <QIcon>

#include "shell/commands.h"

namespace qw {

QIcon ProgramIcon();
// An empty icon for commands without a picture.
QIcon CommandIcon(Command command);

}  // namespace qw
