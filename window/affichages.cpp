#include "window/affichages.h"
