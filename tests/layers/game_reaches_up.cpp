// Built only by the layers test: a file of the simulation that includes the
// shell's state, which the game folder's library must not see.
#include "app/globals.h"
