#include "projects/module1.h"
