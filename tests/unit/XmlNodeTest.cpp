#include "engine/XmlNode.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

TEST(XmlNode, ReadsElementsAttributesAndText)
{
    CXmlNode root;
    root.Parse("junk before <hints version=2>\n"
               "  <hint name=\"first\" x=\"10.5\" y=20>  hello  </hint>\n"
               "  <hint name=second><pic file=a.tga></pic></hint>\n"
               "</hints>");
    EXPECT_EQ(root.GetName(), "hints");
    EXPECT_EQ(root.GetInt("version", 0), 2);
    auto children = root.GetChildren();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0]->GetString("name", ""), "first");
    EXPECT_EQ(children[0]->GetText(), "  hello  ");
    EXPECT_FLOAT_EQ(children[0]->GetPosition().x, 10.5f);
    EXPECT_FLOAT_EQ(children[0]->GetPosition().y, 20.0f);
    EXPECT_FLOAT_EQ(children[0]->GetPosition().w, 1.0f);
    EXPECT_EQ(children[1]->GetText(), "");
    ASSERT_NE(children[1]->FindChild("pic"), nullptr);
    EXPECT_EQ(children[1]->FindChild("pic")->GetString("file", ""), "a.tga");
    EXPECT_EQ(root.FindChild("hint"), children[0]);
    EXPECT_EQ(root.FindChild("none"), nullptr);
}

TEST(XmlNode, VerticalTabsSeparateLikeOtherWhitespace)
{
    CXmlNode root;
    root.Parse("<a\v\vk=v\v>\v<b\vn=1></b>\v</a>");
    EXPECT_EQ(root.GetString("k", ""), "v");
    ASSERT_EQ(root.GetChildren().size(), 1u);
    EXPECT_EQ(root.GetChildren()[0]->GetInt("n", 0), 1);
    EXPECT_EQ(root.GetText(), "");
}

TEST(XmlNode, QuotedValuesUnescapeQuoteAndBackslash)
{
    CXmlNode node;
    node.Parse("<p text=\"\\\"hi\\\"\" empty=\"\" next=\"a\\\\b\" last=x></p>");
    EXPECT_EQ(node.GetString("text", ""), "\"hi\"");
    EXPECT_EQ(node.GetString("empty", "default"), "");
    EXPECT_EQ(node.GetString("next", ""), "a\\b");
    EXPECT_EQ(node.GetString("last", ""), "x");
    EXPECT_EQ(node.GetInt("empty", 9), 9);
    EXPECT_FLOAT_EQ(node.GetFloat("last", 1.5f), 1.5f);
    EXPECT_EQ(node.GetString("missing", "d"), "d");
}

TEST(XmlNode, CommentsAreSkippedBetweenChildrenAndRemovedFromText)
{
    CXmlNode node;
    node.Parse("<page // the page\n"
               "  colour=red>\n"
               "  // a comment line with <b> inside\n"
               "  <line>one // not shown\ntwo</line>\n"
               "  <line r=1 g=0.5>x</line>\n"
               "</page>");
    EXPECT_EQ(node.GetString("colour", ""), "red");
    auto children = node.GetChildren();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0]->GetText(), "one \ntwo");
    CVector4 colour = children[1]->GetColour();
    EXPECT_FLOAT_EQ(colour.x, 1.0f);
    EXPECT_FLOAT_EQ(colour.y, 0.5f);
    EXPECT_FLOAT_EQ(colour.w, 0.0f);
}

TEST(XmlNode, ClosingTagNameIsNotCompared)
{
    CXmlNode node;
    node.Parse("<a><b>1</x><c>2</y></z>");
    ASSERT_EQ(node.GetChildren().size(), 2u);
    EXPECT_EQ(node.GetChildren()[1]->GetText(), "2");
}

TEST(XmlNode, TextEndingInsideAnythingIsReadSafely)
{
    const char* broken[] = {"<",       "<a",       "<a x",       "<a x=\"open",   "<a x=\"esc\\",
                            "<a>text", "<a><b",    "<a><b>t</b", "<a // comment", "</a>",
                            "<a></",   "<a><</a>", "",           "<a x=1 y>",     "<a ==>b</a>"};
    for (const char* text : broken)
    {
        CXmlNode node;
        node.Parse(text);
        SUCCEED() << text;
    }
    CXmlNode node;
    node.Parse("<a x=\"open");
    EXPECT_EQ(node.GetString("x", ""), "open");
    node.Parse("<a><b>t</b>");
    ASSERT_EQ(node.GetChildren().size(), 1u);
    EXPECT_EQ(node.GetChildren()[0]->GetText(), "t");
}

TEST(XmlNode, DeepNestingIsCutOffWithoutLosingWhatFollows)
{
    const int depth = 20000;
    std::string text = "<root>";
    for (int i = 0; i < depth; ++i)
        text += "<d>";
    for (int i = 0; i < depth; ++i)
        text += "</d>";
    text += "<after>x</after></root>";
    CXmlNode root;
    root.Parse(text);
    ASSERT_EQ(root.GetChildren().size(), 2u);
    ASSERT_NE(root.FindChild("after"), nullptr);
    EXPECT_EQ(root.FindChild("after")->GetText(), "x");

    int levels = 0;
    for (const CXmlNode* node = &root; node && !node->GetChildren().empty(); node = node->GetChildren()[0])
        ++levels;
    EXPECT_LT(levels, CXmlNode::kMaxDepth);
    EXPECT_GT(levels, 100);

    std::string unclosed(depth, '<');
    for (int i = 0; i < depth; ++i)
        unclosed += "<e>";
    root.Parse(unclosed);
}

TEST(XmlNode, CopyIsDeep)
{
    auto copy = std::make_unique<CXmlNode>();
    {
        CXmlNode original;
        original.Parse("<a k=v><b>t</b></a>");
        *copy = original;
    }
    EXPECT_EQ(copy->GetString("k", ""), "v");
    ASSERT_EQ(copy->GetChildren().size(), 1u);
    EXPECT_EQ(copy->GetChildren()[0]->GetText(), "t");
    CXmlNode second(*copy);
    EXPECT_NE(second.GetChildren()[0], copy->GetChildren()[0]);
}

TEST(XmlNode, AssigningOneOfItsOwnDescendantsKeepsTheDescendantsContent)
{
    CXmlNode root;
    root.Parse("<page k=top><box k=mid><pic k=deep>t</pic><pic k=two></pic></box></page>");
    CXmlNode* box = root.FindChild("box");
    ASSERT_NE(box, nullptr);
    root = *box;
    EXPECT_EQ(root.GetName(), "box");
    EXPECT_EQ(root.GetString("k", ""), "mid");
    ASSERT_EQ(root.GetChildren().size(), 2u);
    EXPECT_EQ(root.GetChildren()[0]->GetString("k", ""), "deep");
    EXPECT_EQ(root.GetChildren()[0]->GetText(), "t");
    // And once more, one level down.
    CXmlNode* pic = root.FindChild("pic");
    ASSERT_NE(pic, nullptr);
    root = *pic;
    EXPECT_EQ(root.GetString("k", ""), "deep");
    EXPECT_TRUE(root.GetChildren().empty());
}

TEST(XmlNode, LoadReadsFromDiskWithoutManager)
{
    NTestUtil::CTempDir dir;
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("help.xml"), "<help><page title=One>text</page></help>"));
    CXmlNode node;
    ASSERT_TRUE(node.Load(nullptr, dir.File("help.xml")));
    EXPECT_EQ(node.GetName(), "help");
    EXPECT_FALSE(node.Load(nullptr, dir.File("missing.xml")));
    EXPECT_TRUE(node.GetChildren().empty());
}
