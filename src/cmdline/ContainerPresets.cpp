#include "cmdline/ContainerPresets.h"
