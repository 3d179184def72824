// The three control states of the main window and the switches between them.
#pragma once

#include "link/info_tab.h"
#include "link/user_interface.h"

namespace zv {

// Whether reading the samples is offered after a connect: the logger recorded something,
// or its status says data may be there despite an empty pointer (sensor errors, power loss).
bool ReadingOffered(const INFO_TAB& tab);

void ShowConnectedState(UserInterface& ui, const LoggerInfo& info);
void ShowDisconnectedState(UserInterface& ui);
void ShowSamplesLoaded(UserInterface& ui);

}  // namespace zv
