#include "library/MainSave.h"

#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "library/LibraryState.h"
#include "library/TuneMapFile.h"
#include "library/frmDisLibNames.h"
#include "library/frmLibEdit.h"
#include "library/frmLoadLib.h"
#include "mainwin/MainState.h"
#include "mainwin/MainWindow.h"
#include "platform/Dialogs.h"
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
// an empty text when the user cancelled or the name cannot be used (told).
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
    // The dialog itself asked before giving the name of a file that is there.
    const QFileInfo chosen(path);
    const bool confirmed =
        chosen.exists() && chosen.fileName() == check.name &&
        chosen.absolutePath() == QFileInfo(ProgramFolder::path()).absoluteFilePath();
    OverwriteAgreed = confirmed ? check.name : QString();
    return check.name;
}

} // namespace

void mnuLoadLib_Click() {
    loadAndShow<frmLoadLib>(false);
}

void mnuSave_Click() {
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
    WtsGeneral::Read_FileInfo_File();
    LibRecord[2] = TuneFileName;
    WtsGeneral::Write_FileInfo_File();
    loadAndShow<frmLibEdit>(true);
}

void Show_Names() {
    loadAndShow<frmDisLibNames>(true);
}

} // namespace Library
