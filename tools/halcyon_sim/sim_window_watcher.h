#pragma once

class SimSession;

// Puts a stand-in desktop behind ActiveWindowWatcher: the script says which
// programs have windows and which one comes to the front.
//   {"sim":"windows","list":[{"executable":"supertuxkart","class":"SuperTuxKart","title":"SuperTuxKart"}]}
//     the programs with windows now (what the rule dialog's "Add" offers);
//   {"sim":"activate","executable":"supertuxkart","class":"SuperTuxKart"}
//     that program's window comes to the front (its instance name is the
//     class in lower case unless "instance" gives it; "pid" is optional);
//   {"sim":"activate","unavailable":"No window in front here."}
//     the desktop does not tell (the reason the dialog shows).
void installSimWindowWatcher(SimSession& session);
