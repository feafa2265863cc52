#include "browser/FileListing.h"
