#pragma once
// The one query the export runs over every message database. Its columns, in order:
// "mdate" (local date and time of the message, "YYYY-MM-DD HH:MM:SS", empty when the time stamp
// is missing), "author", "from_dispname", "msg" (the body) and "chatname". Rows come grouped by
// chat name in byte order, newest message first within a chat.

#include <string_view>

namespace tavrin::store {

// Exactly as the export has always sent it: the blank at each end and the double blanks before
// "from" and "order" are part of it.
inline constexpr std::string_view kMessageQuery =
    " select datetime(timestamp, 'unixepoch', 'localtime') as mdate,author,from_dispname,"
    "body_xml as msg,chatname  from messages msg  order by chatname,timestamp desc ";

}  // namespace tavrin::store
