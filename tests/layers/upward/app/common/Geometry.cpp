// Layer-check fixture: a helper routine that reaches up into the model, which the order forbids.
#include "shell/model/Model.h"
