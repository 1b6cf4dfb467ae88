// The main frame's "Groups..." command: the Groups dialog over "veldagrp.ini", opening
// groups through the frame.
#pragma once

#include "app/app_settings.h"
#include "app/catalogue_directory.h"

namespace qw {

class MainFrame;

void InstallGroupsCommand(MainFrame& frame, const CatalogueDirectory& catalogue, AppSettings& settings);

}  // namespace qw
