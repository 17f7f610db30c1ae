#pragma once
#include "answers/picture.h"
