#include "app/termination_signals.h"

// Windows ends a session through window messages, which Qt handles.
void quitOnTerminationSignals()
{
}
