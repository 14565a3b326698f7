#include "app/copy_data.h"

// Requests arrive on the single-instance socket (QtSingleCoreApplication).
void installCopyDataFilter()
{
}
