#include "link/ReceiveFeeds.h"

namespace ReceiveFeeds {

void Trace_Label_Start(const QByteArray&) {}
void Trace_Label_Append(const QString&) {}
std::optional<QByteArray> Playback_Record() {
    return std::nullopt;
}
void Trace_Reply(const QByteArray&) {}
void Raw_Log(const QByteArray&) {}
void Rate_Sample() {}
void Text_Log() {}

} // namespace ReceiveFeeds
