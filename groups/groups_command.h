// The main frame's "Groups..." command: the Groups dialog over "veldagrp.ini", opening
// groups through the frame.
#pragma once

#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"

namespace qw {

class Frame;

void InstallGroupsCommand(Frame& frame, const CatalogueDirectory& catalogue, AppSettings& settings);

}  // namespace qw
