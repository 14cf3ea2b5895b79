#include "assets/model_drawing.h"

bool drawModelsImmediately = false;
