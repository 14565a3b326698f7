// The macro library reads the process-wide macro selection here.
#include "macros/macro_paths.h"
#include "settings/macro_selection.h"

QStringList MacroPaths::selectedFolderNames()
{
    return MacroSelection::names();
}
