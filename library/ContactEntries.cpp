#include "library/ContactEntries.h"

#include "library/frmContact.h"
#include "mainwin/MainState.h"
#include "platform/FormInstance.h"

namespace Library {

void Show_Contact() {
    LibEditMode = 0;
    FormInstance<frmContact>::unload();
    FormInstance<frmContact>::open();
}

} // namespace Library
