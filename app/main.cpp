// halcyon: the configuration utility of the HALCYON gaming mouse.
#include "app/application_startup.h"

int main(int argc, char** argv)
{
    return runApplication(argc, argv);
}
