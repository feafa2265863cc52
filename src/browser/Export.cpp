#include "browser/Export.h"
