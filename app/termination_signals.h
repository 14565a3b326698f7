#pragma once

// Ends the event loop (exit code 0) when the session asks the program to
// stop (SIGTERM, SIGINT, SIGHUP on Linux), so that the normal teardown runs:
// the listener stops, the capture is removed, the instance socket goes.
void quitOnTerminationSignals();
