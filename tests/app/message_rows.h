// Fixture rows from the few columns the window's tests care about.
#pragma once

#include <cstdint>
#include <string>

#include "fixture/fixture_database.h"

namespace tavrin::app::test_support {

inline fixture::MessageRow Message(std::string chatname, std::string sender, std::int64_t timestamp,
                                   std::string body) {
  fixture::MessageRow row;
  row.chatname = std::move(chatname);
  row.author = sender;
  row.from_dispname = std::move(sender);
  row.timestamp = timestamp;
  row.body_xml = std::move(body);
  return row;
}

}  // namespace tavrin::app::test_support
