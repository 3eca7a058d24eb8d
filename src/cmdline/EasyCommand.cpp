#include "cmdline/EasyCommand.h"
