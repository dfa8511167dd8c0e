#include "taskfiles/xml_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(XmlLine, StartKeyAndEndBuildOneElement) {
    std::string ligne = "left over";
    xml_start(ligne, "   point");
    EXPECT_EQ(ligne, "<point");
    xml_add_key_val(ligne, "  idx ", " 0 ");
    xml_add_key_val(ligne, "name", "  Start  ");
    xml_end(ligne, "/");
    EXPECT_EQ(ligne, "<point idx=\"0\" name=\"Start\" />");

    xml_start(ligne, "rules");
    xml_end(ligne, "   ");
    EXPECT_EQ(ligne, "<rules >");

    xml_key(ligne, "  taskpoints  ");
    EXPECT_EQ(ligne, "<taskpoints>");

    // An empty buffer gets the attribute after one blank.
    std::string empty;
    xml_add_key_val(empty, "a", "1");
    EXPECT_EQ(empty, " a=\"1\"");
}

TEST(XmlLine, WritesPastTheBufferAreCut) {
    std::string ligne;
    xml_start(ligne, "point", 12);
    xml_add_key_val(ligne, "name", "long", 12);
    EXPECT_EQ(ligne, "<point name=");
    xml_end(ligne, "/", 12);
    EXPECT_EQ(ligne, "<point name=");
    xml_start(ligne, "abcdefghijklmnop", 8);
    EXPECT_EQ(ligne, "<abcdefg");
}

TEST(XmlLine, AttributeValuesAreEscapedOnce) {
    EXPECT_EQ(xml_attribute_text("B&B"), "B&amp;B");
    EXPECT_EQ(xml_attribute_text("say \"hi\""), "say &quot;hi&quot;");
    EXPECT_EQ(xml_attribute_text("a<b>c"), "a&lt;b&gt;c");
    // Names escaped by the task model keep their entities.
    EXPECT_EQ(xml_attribute_text("A&lt;B&gt;C &amp; D"), "A&lt;B&gt;C &amp; D");
    EXPECT_EQ(xml_attribute_text("&lt"), "&amp;lt");
    EXPECT_EQ(xml_attribute_text("&quot;"), "&amp;quot;");
    // cp1252 letters pass unchanged; control characters become blanks.
    EXPECT_EQ(xml_attribute_text("Cr\xEAte\x01\t"), "Cr\xEAte  ");

    std::string ligne;
    xml_start(ligne, "point");
    xml_add_key_val(ligne, "name", "B&B \"x\"");
    EXPECT_EQ(ligne, "<point name=\"B&amp;B &quot;x&quot;\"");
}

}  // namespace
