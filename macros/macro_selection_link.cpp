// The macro library reads the process-wide macro selection here.
#include "macros/macro_library.h"

QStringList MacroLibrary::selectedFolderNames()
{
    // Until the selection state is available the chain is empty.
    return QStringList(5, QString());
}
