// The report's rows of further properties: how each kind of value is written out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/DetailRows.h"
#include "res/resource.h"

namespace tollward {
namespace {

// Stands in for the string table: the id in brackets, so that a row shows which text it took.
std::string Text(unsigned id) {
  return "[" + std::to_string(id) + "]";
}

TEST(DetailRows, ValuesAreWrittenAsTheUserKnowsThem) {
  EntryDetails registered;
  registered.dnsAddress = {192, 168, 1, 1};
  registered.framingProtocol = entry_protocol::kFramingPpp;
  registered.netProtocols = entry_protocol::kIp;
  registered.alternateNumbers = {"1"};
  registered.options = entry_option::kSpecificNameServers | 0x00100000;
  EntryDetails current = registered;
  current.dnsAddress = {6, 6, 6, 6};
  current.framingProtocol = 9;
  current.netProtocols = entry_protocol::kIp | entry_protocol::kIpx | 0x40;
  current.alternateNumbers = {"1", "0190 2"};
  current.options = 0;
  current.script = "C:\\x.scp";

  const std::vector<DetailRow> rows = MakeDetailRows(registered, current, Text);
  const auto text = [](unsigned id) { return Text(id); };
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[0].registered, text(IDS_DETAIL_ON));
  EXPECT_EQ(rows[0].current, text(IDS_DETAIL_OFF));
  EXPECT_EQ(rows[1].label, text(IDS_DETAIL_OTHER_OPTIONS));
  EXPECT_EQ(rows[1].registered, "0x00100000");
  EXPECT_EQ(rows[1].current, "0x00000000");
  EXPECT_EQ(rows[2].label, text(IDS_DETAIL_DNS));
  EXPECT_EQ(rows[2].registered, "192.168.1.1");
  EXPECT_EQ(rows[2].current, "6.6.6.6");
  EXPECT_EQ(rows[3].registered, text(IDS_DETAIL_FRAMING_PPP));
  EXPECT_EQ(rows[3].current, "0x00000009");
  EXPECT_EQ(rows[4].registered, text(IDS_DETAIL_PROTOCOL_IP));
  EXPECT_EQ(rows[4].current,
            text(IDS_DETAIL_PROTOCOL_IPX) + ", " + text(IDS_DETAIL_PROTOCOL_IP) + ", 0x00000040");
  EXPECT_EQ(rows[5].label, text(IDS_DETAIL_SCRIPT));
  EXPECT_EQ(rows[5].registered, "");
  EXPECT_EQ(rows[5].current, "C:\\x.scp");
  EXPECT_EQ(rows[6].registered, "1");
  EXPECT_EQ(rows[6].current, "1; 0190 2");
}

}  // namespace
}  // namespace tollward
