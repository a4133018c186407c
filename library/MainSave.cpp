#include "library/MainSave.h"

#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "library/ContactRecord.h"
#include "library/FileInfo.h"
#include "library/LibraryState.h"
#include "library/TuneMapFile.h"
#include "library/frmDisLibNames.h"
#include "library/frmLibEdit.h"
#include "library/frmLoadLib.h"
#include "mainwin/MainWindow.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/FormInstance.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

namespace Library {

namespace {

template <class T> void loadAndShow(bool anew) {
    if (anew)
        FormInstance<T>::unload();
    FormInstance<T>::open();
}

// The file name the save dialog gives, as a plain name of the program folder;
// an empty text when the user cancelled or the name cannot be used (told). The
// dialog's own question about a file that is there does not count: the name
// the map is saved under is known only here (".kvr" added or put in place of
// another extension), and the editor asks about that file before replacing it.
QString askFileName(const QString& filter, const QString& extension) {
    Dialogs::FileRequest request;
    request.folder = ProgramFolder::path();
    request.filter = filter;
    request.defaultExt = extension;
    const QString path = Dialogs::current().saveFile(request);
    if (path.isEmpty())
        return QString();
    const TuneMap::NameCheck check = TuneMap::Dialog_File_Name(path);
    if (!check.ok()) {
        Dialogs::msgBox(check.problem, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                        QStringLiteral("File Name"));
        return QString();
    }
    const QFileInfo chosen(path);
    const QString programFolder = QFileInfo(ProgramFolder::path()).canonicalFilePath();
    if (path.contains('/') && QFileInfo(chosen.absolutePath()).canonicalFilePath() != programFolder)
        Dialogs::msgBox(QStringLiteral("Tune maps are kept in the program folder %1, not in %2. "
                                       "The map will be saved there as %3.")
                            .arg(ProgramFolder::path(), chosen.absolutePath(), check.name),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Information,
                        QStringLiteral("File Name"));
    return check.name;
}

// The file-information record as the current map has it: a save starts from
// the map being saved, not from the last file clicked in the library.
void recordOfCurrentMap() {
    LibRecord = {};
    LibRecord[0] = QStringLiteral("9");
    LibRecord[1] = MapDscr.left(63).trimmed();
    LibRecord[2] = TuneFileName;
    LibRecord[3] = MapInfo.make.trimmed();
    // A save makes MapId the description; the map name is the one it wrote.
    LibRecord[4] =
        !SavedMapId.isEmpty() && MapId == SavedMapId ? SavedMapName : MapId.trimmed().left(63);
    LibRecord[5] = MapInfo.model.trimmed();
    LibRecord[6] = MapInfo.type.trimmed();
    LibRecord[7] = MapInfo.year.trimmed();
    LibRecord[8] = MapInfo.owner.trimmed();
    LibRecord[9] = MapInfo.ownerEmail.trimmed();
}

} // namespace

void mnuLoadLib_Click() {
    loadAndShow<frmLoadLib>(false);
}

void mnuSave_Click() {
    NameBeforeSave = TuneFileName;
    try {
        if (TuneFileName.isEmpty()) {
            TuneFileName = askFileName(QStringLiteral("Zanfor KVR6 Files (*.kvr)|*.kvr"),
                                       QStringLiteral("kvr"));
            if (TuneFileName.isEmpty())
                return;
            Main().Show_Tune_File(TuneFileName);
        }
        SaveKind = 1;
        SelLibFile.clear();
        Save_File_Start();
    } catch (const KvrError& e) {
        Tell_Save_Failed(e);
        TuneFileName.clear();
    }
}

void mnuSaveAS_Click() {
    const QString name =
        askFileName(QStringLiteral("Zanfor KVR Files (*.KVR)|*.KVR"), QStringLiteral("KVR"));
    if (name.isEmpty())
        return;
    NameBeforeSave = TuneFileName;
    TuneFileName = name;
    Main().Show_Tune_File(TuneFileName);
    SaveKind = 2;
    SelLibFile.clear();
    try {
        Save_File_Start();
    } catch (const KvrError& e) {
        Tell_Save_Failed(e);
    }
}

void Save_File_Start() {
    LibEditMode = 2;
    // A new file's "Owner:" lines carry the contact record as stored, without a
    // value its header cannot keep.
    try {
        if (const QString refused = TuneMap::Read_Checked_Contact_File(); !refused.isEmpty())
            Dialogs::msgBox(refused, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                            QStringLiteral("Contact Details"));
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("contact file KVR6Contact.cfg"), QStringLiteral("read"),
                           e.description(),
                           QStringLiteral("The map is saved without the owner's name and e-mail "
                                          "address."),
                           QStringLiteral("Contact Details")});
    }
    recordOfCurrentMap();
    Save_File_Info();
    loadAndShow<frmLibEdit>(true);
}

void Show_Names() {
    loadAndShow<frmDisLibNames>(true);
}

} // namespace Library
