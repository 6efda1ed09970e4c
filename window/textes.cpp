#include "window/textes.h"
