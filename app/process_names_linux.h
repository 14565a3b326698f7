#pragma once
#include <QString>

// The file name of process `pid`'s executable (of /proc/PID/exe, else the
// process's comm); empty when the process is gone or not ours to read.
QString executableNameOf(qint64 pid);
