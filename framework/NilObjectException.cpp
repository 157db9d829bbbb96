#include "NilObjectException.h"

void RaiseNilObjectException() {
    throw NilObjectException();
}
