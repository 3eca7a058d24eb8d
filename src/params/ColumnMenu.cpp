#include "params/ColumnMenu.h"
