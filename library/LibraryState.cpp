#include "library/LibraryState.h"

namespace Library {

QString OverwriteAgreed;

void ResetLibraryState() {
    OverwriteAgreed.clear();
}

} // namespace Library
