// Layer-check fixture: a rule of a library without Qt that includes a Qt header.
#include <QString>
