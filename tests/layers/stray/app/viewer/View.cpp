// Layer-check fixture: a source in a folder that no library of the order holds.
