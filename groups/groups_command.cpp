#include "groups/groups_command.h"

#include "groups/groups_dialog.h"
#include "settings/app_paths.h"
#include "shell/frame.h"

namespace qw {

void InstallGroupsCommand(Frame& frame, const CatalogueDirectory& catalogue, AppSettings& settings) {
  frame.SetCommandHandler(Command::Groups, [&frame, &catalogue, &settings] {
    GroupsHost host;
    host.openWindows = [&frame] { return frame.OpenWindowEntries(); };
    host.closeAll = [&frame] { frame.CloseAllWindows(); };
    host.reopen = [&frame](const std::vector<OpenWindowEntry>& entries) { return frame.ReopenWindows(entries); };
    host.openStation = [&frame](const StationRef& station) { frame.OpenLocation(station); };
    GroupsDialog::Run(GroupsFilePath(), catalogue, settings, std::move(host), frame.mainWindow());
  });
}

}  // namespace qw
