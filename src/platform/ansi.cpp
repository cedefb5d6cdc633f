#include "platform/ansi.h"
