#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Configuration files the program could not use, whole or in part, as the
// readers find them at start-up: the user is told once, in one message, which
// file could not be used, why, and what the program uses in its place.
namespace WtsGeneral {

struct UnusableFile {
    QString file;      // its name in the program folder
    QString problem;   // "is missing", "is empty", "holds no dealer settings", ...
    QString instead;   // what the program uses in its place
    QStringList lines; // its unusable lines, each named ("line 7: ..."), when it was used in part
};

// The message text for the files, one paragraph each.
QString Unusable_Files_Text(const std::vector<UnusableFile>& files);

// Tells the user about the files in one message; shows nothing when there are none.
void Tell_Unusable_Files(const std::vector<UnusableFile>& files);

} // namespace WtsGeneral
