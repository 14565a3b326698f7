#pragma once

class SimSession;

// Script commands that look at the files the program wrote:
//   {"sim":"file","path":P}       prints the file, one "file| " line per line
//                                 (bytes outside printable ASCII as \xHH), or
//                                 "file P missing";
//   {"sim":"same","a":P,"b":Q}    prints "same P Q" or "differ P Q".
// Pending settings writes reach the disk first, as they do when control
// returns to the event loop.
void registerFileCommands(SimSession& session);
