#include "groups/groups_command.h"

#include "app/main_frame.h"
#include "groups/groups_dialog.h"
#include "settings/app_paths.h"

namespace qw {

void InstallGroupsCommand(MainFrame& frame, const CatalogueDirectory& catalogue, AppSettings& settings) {
  frame.SetCommandHandler(Command::Groups, [&frame, &catalogue, &settings] {
    GroupsHost host;
    host.openWindows = [&frame] { return frame.OpenWindowEntries(false); };
    host.closeAll = [&frame] { frame.Run(Command::CloseAll); };
    host.reopen = [&frame](const std::vector<OpenWindowEntry>& entries) { return frame.ReopenWindows(entries); };
    host.openStation = [&frame](const StationRef& station) { frame.OpenLocation(station); };
    GroupsDialog::Run(GroupsFilePath(), catalogue, settings, std::move(host), &frame);
  });
}

}  // namespace qw
