#include "cmdline/EasyModeLists.h"
