#include "window/fichiers.h"
