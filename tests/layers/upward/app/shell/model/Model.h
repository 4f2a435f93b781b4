#pragma once
// Layer-check fixture: a header of the model.
struct Model {};
