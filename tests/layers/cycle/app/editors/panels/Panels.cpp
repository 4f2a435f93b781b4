// Layer-check fixture: a source in its place; the fault of this tree is in links.cmake.
#include "editors/panels/Panels.h"
