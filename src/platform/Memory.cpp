#include "platform/Memory.h"

#include <malloc.h>

namespace pixfold {

void ReleaseFreeMemory() {
    malloc_trim(0);
}

}  // namespace pixfold
