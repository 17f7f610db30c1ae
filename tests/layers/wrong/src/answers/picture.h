#pragma once
#include "render/drawing.h"
