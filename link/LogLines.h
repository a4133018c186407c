#pragma once

// The text lines the receive handler writes for each reply: the data lines of
// the text log and the raw log, the two lines of the serial trace and the byte
// list of the trace label; and the way back from a raw-log line to the reply
// bytes, with the length texts of a recording. All lines come without their line
// end; the files add CR LF.

#include <QByteArray>
#include <QString>
#include <QTime>
#include <functional>
#include <optional>

namespace LogLines {

// The time of day as hours, minutes and seconds with colons ("09:05:00").
QString Time_Text(const QTime& time);

// A text-log item: 1..4 characters get blanks in front up to 5; longer items
// stay as they are.
QString Pad_Item(const QString& item);

// Reading ids of the text log's columns after "Comm Cnt", in column order.
inline constexpr int TextLogReadings[15] = {9, 3, 16, 15, 7, 8, 0, 1, 2, 4, 5, 13, 12, 11, 10};

// One text-log data line: the time, ",", the reply count of this second and the
// fifteen readings. A reading is the leading number of its display text
// (reading(id)), so unit texts such as " %" or " V" are dropped.
QString Text_Log_Line(const QTime& now, int commCnt, const std::function<QString(int)>& reading);

// One raw-log line: the time, " ," and each byte in decimal followed by a blank.
QString Raw_Log_Line(const QTime& now, const QByteArray& reply);

// The reply bytes of a raw-log record: everything after the first "," split at
// runs of blanks, each token a byte 0..255. Nothing when a token is not such a
// number or there is none.
std::optional<QByteArray> Record_Bytes(const QString& record);

// The length of a recording of count records at 10 a second, as m & "Min " & s
// & "Sec": seconds are the fraction of a minute times k (60 where a file is read,
// 59 where the window shows it again), rounded halves to even.
QString Length_Text(int count, int k);
// "Running Time: " & m & " Min " & s & " Sec" for the record at index (k = 59).
QString Running_Time_Text(int index);

// The trace label's byte list: for each byte " i=value", i counted from 1.
QString Label_Bytes(const QByteArray& reply);
// The trace file's first line of a reply: "Data IN", the time and the link's
// counters (interval is the poll timer's, ms).
QString Trace_Data_In(const QTime& now, int interval);
// The trace file's second line: "Comm--> Len(rx)=" and the length, then each byte.
QString Trace_Bytes(const QByteArray& reply);

} // namespace LogLines
