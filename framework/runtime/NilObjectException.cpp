#include "runtime/NilObjectException.h"

void RaiseNilObjectException() {
    throw NilObjectException();
}
