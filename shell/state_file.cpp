// Placeholder until the state file lands.
#include "shell/state_file.h"

int save_state()
{
    return -1;
}

int load_state()
{
    return -1;
}
