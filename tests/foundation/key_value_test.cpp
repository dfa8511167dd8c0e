#include "foundation/key_value.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

TEST(KeyValue, SplitsAtEqualsElseColon) {
    std::string key;
    std::string val;
    extract_key_val("Name = Foo", key, val);
    EXPECT_EQ(key, "Name");
    EXPECT_EQ(val, "Foo");
    extract_key_val("a:b=c", key, val);
    EXPECT_EQ(key, "a:b");
    EXPECT_EQ(val, "c");
    extract_key_val("=x", key, val);
    EXPECT_EQ(key, "");
    EXPECT_EQ(val, "x");
    extract_key_val("abc", key, val);
    EXPECT_EQ(key, "abc");
    EXPECT_EQ(val, "");
    extract_key_val("  abc  ", key, val);
    EXPECT_EQ(key, "  abc");  // the line as it stands
    extract_key_val("  Units: 2 ", key, val);
    EXPECT_EQ(key, "Units");
    EXPECT_EQ(val, "2");
    extract_key_val("k=\"a=b\" # c", key, val);
    EXPECT_EQ(key, "k");
    EXPECT_EQ(val, "\"a=b\" # c");

    std::string line = "left=right";
    extract_key_val(line, line, val);  // output into its own input
    EXPECT_EQ(line, "left");
    EXPECT_EQ(val, "right");
}

TEST(KeyValue, Relations) {
    std::string key;
    std::string val;
    std::string rel;
    extract_key_val_rel("alt>=500", key, val, rel);
    EXPECT_EQ(key, "alt");
    EXPECT_EQ(rel, ">=");
    EXPECT_EQ(val, "500");
    extract_key_val_rel("class != A", key, val, rel);
    EXPECT_EQ(key, "class");
    EXPECT_EQ(rel, "!=");
    EXPECT_EQ(val, "A");
    extract_key_val_rel("x<3", key, val, rel);
    EXPECT_EQ(rel, "<");
    EXPECT_EQ(val, "3");
    extract_key_val_rel("x <= 3", key, val, rel);
    EXPECT_EQ(rel, "<=");
    EXPECT_EQ(val, "3");
    extract_key_val_rel("name[]abc", key, val, rel);
    EXPECT_EQ(key, "name");
    EXPECT_EQ(rel, "[]");
    EXPECT_EQ(val, "abc");
    extract_key_val_rel("a=b>c", key, val, rel);  // ">" comes later in the table than "="
    EXPECT_EQ(key, "a=b");
    EXPECT_EQ(rel, ">");
    EXPECT_EQ(val, "c");
    extract_key_val_rel("plain", key, val, rel);
    EXPECT_EQ(key, "plain");
    EXPECT_EQ(val, "");
    EXPECT_EQ(rel, "");
}

TEST(KeyValue, ListItems) {
    std::string val = "  a , b";
    std::string buff;
    extract_comma(val, buff);
    EXPECT_EQ(buff, "a");
    EXPECT_EQ(val, " b");
    extract_comma(val, buff);
    EXPECT_EQ(buff, " b");  // no separator left: the rest as it stands
    EXPECT_EQ(val, "");

    val = "\"x,y\",z";
    extract_comma(val, buff);
    EXPECT_EQ(buff, "\"x,y\"");
    EXPECT_EQ(val, "z");

    val = "   ";
    buff = "old";
    extract_comma(val, buff);
    EXPECT_EQ(buff, "");
    EXPECT_EQ(val, "");

    val = "a";
    extract_comma(val, buff);
    EXPECT_EQ(buff, "a");
    EXPECT_EQ(val, "");

    val = ",b";
    extract_comma(val, buff);
    EXPECT_EQ(buff, "");
    EXPECT_EQ(val, "b");

    val = "\"a,b";  // an unclosed quote changes nothing
    extract_comma(val, buff);
    EXPECT_EQ(buff, "\"a");
    EXPECT_EQ(val, "b");

    val = "\"a,b\"xy,z";
    extract_comma(val, buff);
    EXPECT_EQ(buff, "\"a,b\"xy");
    EXPECT_EQ(val, "z");

    val = "\"a,b\"xy";  // no separator after the closing quote
    extract_comma(val, buff);
    EXPECT_EQ(buff, "\"a,b\"");
    EXPECT_EQ(val, "y");

    val = "a;b c";
    extract_list(val, buff, ";");
    EXPECT_EQ(buff, "a");
    EXPECT_EQ(val, "b c");
    extract_list(val, buff, "");  // an empty separator text is a blank
    EXPECT_EQ(buff, "b");
    EXPECT_EQ(val, "c");

    val = "\"a b\" c";
    extract_list(val, buff, " ");
    EXPECT_EQ(buff, "\"a b\"");
    EXPECT_EQ(val, "c");
}

TEST(KeyValue, ReadList) {
    std::vector<std::string> lst;
    int count = -1;
    std::string val = "a,,b";
    read_list(val, count, lst, ",");
    EXPECT_EQ(count, 1);  // the empty second item ends the list
    ASSERT_EQ(lst.size(), 2u);
    EXPECT_EQ(lst[1], "a");

    val = "one, two ,\"th,ree\"";
    read_list(val, count, lst, ",");
    EXPECT_EQ(count, 3);
    ASSERT_EQ(lst.size(), 4u);
    EXPECT_EQ(lst[0], "");
    EXPECT_EQ(lst[1], "one");
    EXPECT_EQ(lst[2], "two");
    EXPECT_EQ(lst[3], "\"th,ree\"");

    val = "";
    read_list(val, count, lst, ",");
    EXPECT_EQ(count, 0);
    EXPECT_EQ(lst.size(), 1u);

    val = std::string(300, 'x') + ",y";
    read_list(val, count, lst, ",");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(lst[1].size(), kListItemLength);  // cut by the work field
    EXPECT_EQ(lst[2], "y");
}

TEST(KeyValue, ListItemsOnViewsAsExtractList) {
    // next_list_item takes a list apart as extract_list does, item by item.
    for (const std::string& list : {std::string("a, \"b,c\" ,d"), std::string("\"x\"y,z"), std::string(" p ,,q  "),
                                   std::string("\"open,no close"), std::string("solo"), std::string("")}) {
        SCOPED_TRACE(list);
        std::string val = list;
        std::string_view rest = list;
        for (int i = 0; i < 6; ++i) {
            std::string item;
            extract_comma(val, item);
            EXPECT_EQ(std::string(next_list_item(rest, ',')), item);
            EXPECT_EQ(std::string(rest), val);
        }
    }
    // A list of every airspace of a landscape is read whole.
    std::string all;
    for (int n = 0; n < 5000; ++n) {
        all += (n == 0 ? "" : ",") + std::to_string(n);
    }
    std::string_view rest = all;
    int count = 0;
    while (!next_list_item(rest, ',').empty()) {
        ++count;
    }
    EXPECT_EQ(count, 5000);
}

namespace {

// The item rules of key_value.h written with plain searches: the next item
// of `rest` and what is left of it.
std::pair<std::string, std::string> list_item_by_rule(std::string_view rest, char separator) {
    const std::string_view list = rest.substr(0, rest.find_last_not_of(' ') + 1);
    const std::size_t first_separator = list.find(separator);
    if (list.empty() || first_separator == std::string_view::npos) {
        return {std::string(list), ""};  // blank, or without a separator: as it stands
    }
    std::size_t cut = first_separator;
    const std::size_t open = list.find('"');
    if (separator != '"' && open < first_separator) {
        const std::size_t close = list.find('"', open + 1);
        if (close != std::string_view::npos) {
            const std::size_t after = list.find(separator, close + 1);
            cut = after != std::string_view::npos ? after : close + 1;
        }
    }
    std::string_view item = list.substr(0, cut);
    item.remove_prefix(std::min(item.size(), item.find_first_not_of(' ')));
    item = item.substr(0, item.find_last_not_of(' ') + 1);
    return {std::string(item), cut + 1 < list.size() ? std::string(list.substr(cut + 1)) : ""};
}

}  // namespace

TEST(KeyValue, ListItemsFollowTheirRules) {
    // Random lists of a few characters that matter (separators, quotes,
    // blanks), long enough to take many items and every path of the search.
    std::mt19937 random(11);
    for (const char separator : {',', ' ', '"', ';'}) {
        for (int n = 0; n < 20000; ++n) {
            std::string list;
            const std::size_t length = random() % 48;
            for (std::size_t i = 0; i < length; ++i) {
                list += ",; \"ab"[random() % 6];
            }
            std::string_view rest = list;
            for (int items = 0; items < 50 && !rest.empty(); ++items) {
                const auto [item, left] = list_item_by_rule(rest, separator);
                const std::string_view before = rest;
                ASSERT_EQ(std::string(next_list_item(rest, separator)), item) << before << " " << separator;
                ASSERT_EQ(std::string(rest), left) << before << " " << separator;
            }
        }
    }
}
