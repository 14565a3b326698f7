// halcyonctl: the HALCYON mouse from the command line, through the running
// program or on its own.
#include "app/ctl/ctl_tool.h"

int main(int argc, char** argv)
{
    return runCtlTool(argc, argv);
}
