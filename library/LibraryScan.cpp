#include "library/LibraryScan.h"

#include "core/CoreState.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace TuneMap {

namespace {

QString text(const std::optional<QString>& v) {
    return v ? v->trimmed() : QString();
}

} // namespace

QString Column_Text(const LibraryEntry& entry, int column) {
    const HeaderValues& h = entry.header;
    switch (column) {
    case ColMake:
        return text(h.make);
    case ColModel:
        return text(h.model);
    case ColYear:
        return text(h.year);
    case ColType:
        return text(h.type);
    case ColMapName:
        return text(h.mapId);
    case ColDescription:
        return text(h.dscr);
    case ColFileName:
        return entry.fileName;
    default:
        return QString();
    }
}

std::vector<LibraryEntry> Scan_Library(QStringList* notes) {
    std::vector<LibraryEntry> entries;
    auto skip = [notes](const QString& name, const QString& why) {
        if (notes)
            *notes << name + QStringLiteral(": ") + why;
    };
    for (const QString& name : ProgramFolder::list(QStringLiteral("*.kvr"))) {
        QString text;
        if (const QString problem = Listing_Problem(ProgramFolder::file(name), &text);
            !problem.isEmpty()) {
            skip(name, problem);
            continue;
        }
        const QStringList lines = TextFile::splitLines(text);
        entries.push_back({name, Scan_Header(lines)});
    }
    for (const QString& name : ProgramFolder::Names_Not_Text(QStringLiteral(".kvr")))
        skip(name, QStringLiteral("its name is not valid text, so the file cannot be opened; "
                                  "give it a new name to list it"));
    return entries;
}

std::vector<std::size_t> Sorted_Order(const std::vector<LibraryEntry>& entries, int column) {
    std::vector<std::size_t> order(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return QString::compare(Column_Text(entries[a], column), Column_Text(entries[b], column),
                                Qt::CaseInsensitive) < 0;
    });
    return order;
}

void Sort_Library(std::vector<LibraryEntry>& entries, int column) {
    std::vector<LibraryEntry> sorted;
    sorted.reserve(entries.size());
    for (const std::size_t i : Sorted_Order(entries, column))
        sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}

} // namespace TuneMap
