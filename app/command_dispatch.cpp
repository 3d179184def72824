#include "app/command_dispatch.h"

#include "app/control_ids.h"

namespace zv {

Dispatched DispatchCommand(uint16_t controlId, ShellOperations& ops) {
  switch (controlId) {
    case ID_CONNECT:
      ops.ConnectOrDisconnect();
      return Dispatched::Handled;
    case ID_READ:
      ops.RunDownload();
      return Dispatched::Handled;
    case ID_EXPORT:
      ops.ExportSamples();
      return Dispatched::Handled;
    case ID_CHART:
      ops.ShowChart();
      return Dispatched::Handled;
    case ID_SAVE_CONFIG:
      ops.WriteConfiguration();
      return Dispatched::Handled;
    case ID_ABOUT:
      ops.ShowAboutBox();
      return Dispatched::Handled;
    default:
      return Dispatched::DefaultHandling;
  }
}

}  // namespace zv
