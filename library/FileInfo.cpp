#include "library/FileInfo.h"

#include "core/TableFiles.h"
#include "library/LibraryState.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"

namespace Library {

bool Save_File_Info() {
    try {
        WtsGeneral::Write_FileInfo_File();
    } catch (const KvrError& e) {
        if (!FileInfoUnsaved)
            FileProblem::Tell({QStringLiteral("file information record KVR6FileInfo.cfg"),
                               QStringLiteral("written"), e.description(),
                               QStringLiteral("The program goes on without it: maps can still "
                                              "be loaded, edited and deleted."),
                               QStringLiteral("File not written")});
        FileInfoUnsaved = true;
        return false;
    }
    FileInfoUnsaved = false;
    return true;
}

void Read_File_Info() {
    if (!FileInfoUnsaved)
        WtsGeneral::Read_FileInfo_File();
}

} // namespace Library
