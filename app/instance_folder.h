#pragma once
#include <QString>

// Where a user's instance sockets and start-up lock live, and who is at the
// other end of a connection. Only the user's own processes may meet there:
// another local user must not be able to answer in the program's name,
// block its start or send it requests.
namespace InstanceFolder {

// The folder for this user: $XDG_RUNTIME_DIR when it is this user's own and
// closed to others, else <temp>/halcyon-<uid>, created 0700. Empty when that
// folder cannot be trusted (another user's, open to others, not a folder);
// `problem` then says why, in one line naming the folder. Empty with no
// problem where sockets are not files (Windows): names are used as they are.
QString path(QString* problem);

// Why the folder at dir may not hold the channel, or empty when it may:
// it must be a real folder (not a link) owned by this user, with no access
// for group or others.
QString problemWith(const QString& dir);

// The user id of the process at the other end of a connected local socket,
// or -1 when the system cannot tell.
qint64 peerUid(qintptr socketDescriptor);
// This process's user id (-1 where there is none to compare).
qint64 ownUid();
// Whether the peer runs as this user; true where the system cannot tell.
bool peerIsSameUser(qintptr socketDescriptor);

} // namespace InstanceFolder
