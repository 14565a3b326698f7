#pragma once

class SimSession;

// Commands that look at and prepare files in the working directory, so that
// traces can show what the program wrote:
//  {"sim":"ls","path":DIR}        every entry below DIR, sorted, one per line
//                                 ("ls a/b.bin", folders end with "/");
//  {"sim":"ini","path":FILE}      every key line of an INI file as
//                                 "ini [group] key=raw value", sorted by group
//                                 and key (numeric keys by number);
//                                 "keys":["mouse/dpiCount","XYSensitive/"]
//                                 keeps only those keys and groups;
//  {"sim":"same","a":F1,"b":F2}   "same F1 F2" or "differ F1 F2": byte-equal files
//                                 (pending settings writes are flushed first);
//  {"sim":"file","path":FILE}     "file FILE N bytes", then each line as "file| ..."
//                                 (bytes outside printable ASCII as \xHH), or
//                                 "file FILE missing";
//  {"sim":"write","path":FILE,"text":TEXT}  writes TEXT (parent folders made);
//  {"sim":"exists","path":P}      "exists P true|false".
void registerFileCommands(SimSession& session);
