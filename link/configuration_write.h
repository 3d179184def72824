// The configuration write: the user's choice edited into the table, the memory questions, the
// table sent, and the link ended once anything was sent.
#pragma once

#include "base/info_tab.h"
#include "link/session.h"
#include "link/user_interface.h"

namespace zv {

// How a configuration write ended; each end but Cancelled has shown its one message.
enum class ConfigurationResult {
  Saved,              // sent, and the logger was ready afterwards
  Cancelled,          // a question was cancelled: nothing sent, still connected
  NotReady,           // the logger was not ready before anything was written
  NoAnswerAfterSave,  // sent, but the logger did not answer; whether it stored it is unknown
  PortFailure,        // the port failed to write the command or the table: nothing was stored
  ReadyToSend,        // prepared: ready, every question answered, the table edited and sealed
};

// The questions and edits before the send, on `tab` (the table to be sent): the memory
// questions, status 1, the signalling bits, the three indices, the channel mode bit with its
// question, the identifier, and the check byte. False, with `tab` partly edited, when the user
// cancelled a question.
bool EditConfiguration(INFO_TAB& tab, const ConfigurationChoice& choice, UserInterface& ui);

// Every step of the write before the send: the ready check (a logger that is not ready is
// reported and the link torn down: NotReady), then the questions and edits on `table`, a copy
// of the session's: ReadyToSend, or Cancelled with the link still up. A dry run stops here.
ConfigurationResult PrepareConfiguration(LoggerSession& session, UserInterface& ui,
                                         INFO_TAB& table);

// The whole write on a connected session. The session's table copy takes the edited table
// once it is sent; a cancelled question, or a port that fails to send it, leaves the copy
// exactly as it was.
ConfigurationResult WriteConfiguration(LoggerSession& session, UserInterface& ui);

}  // namespace zv
