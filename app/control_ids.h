// Control identifiers of the main window.
#pragma once

namespace zv {

enum ControlId : int {
  ID_CONNECT = 300,
  ID_PORT = 301,
  ID_START_DELAY = 302,
  ID_INTERVAL = 303,
  ID_DURATION = 304,
  ID_CHANNELS = 305,
  ID_STATE_ICON = 306,
  ID_GROUP_LINK = 307,
  ID_GROUP_INFO = 308,
  ID_GROUP_ACTIONS = 309,
  ID_GROUP_CONFIG = 310,
  ID_READ = 311,
  ID_EXPORT = 312,
  ID_CHART = 313,
  ID_SAVE_CONFIG = 315,
  ID_ABOUT = 316,
  ID_LOGGER_ID = 317,
  ID_SIGNAL = 318,
};

}  // namespace zv
