#include "app/command_dispatch.h"

#include "link/user_interface.h"

namespace zv {

Dispatched DispatchCommand(uint32_t command, ShellOperations& ops) {
  switch (command & 0xFFFFu) {
    case ID_CONNECT:
      ops.ConnectOrDisconnect();
      return Dispatched::Handled;
    case ID_READ:
      ops.RunDownload();
      return Dispatched::Handled;
    case ID_ABOUT:
      ops.ShowAboutBox();
      return Dispatched::Handled;
    case ID_EXPORT:
    case ID_CHART:
    case ID_SAVE_CONFIG:
      // Nothing yet: arrives with the export/chart/configuration write.
      return Dispatched::Handled;
    default:
      return Dispatched::DefaultHandling;
  }
}

}  // namespace zv
