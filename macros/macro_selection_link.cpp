// The macro library reads the process-wide macro selection here.
#include "macros/macro_library.h"
#include "settings/macro_selection.h"

QStringList MacroLibrary::selectedFolderNames()
{
    return MacroSelection::names();
}
