#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace WtsGeneral {

// The caption of the window with this key, for the given owner and 3-D map word:
// "KVR6", " - ", the window's title (followed by titleEnd, for a window whose
// layout adds to it), "   by " and the owner. Nothing for a key without an entry
// (such a window keeps its designed caption).
std::optional<QString> Form_Caption_Text(const QString& formName, const QString& owner,
                                         const QString& graphTitle,
                                         const QString& titleEnd = QString());

// Sets CaptionOwner (UserName, or DealerCompany while UserName is empty) and
// CaptionProduct, then gives the window its caption from the table. A key
// without an entry leaves the caption as it is.
void Set_Form_Caption(QWidget& form, const QString& formName, const QString& titleEnd = QString());

} // namespace WtsGeneral
