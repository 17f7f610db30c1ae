#include "answers/picture.h"
#include "app/window.h"
