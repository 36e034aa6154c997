#include <gtest/gtest.h>

#include <tinyxml2.h>

#include "app/simple_parameter_group.h"
#include "support/log_capture.h"

namespace {

struct KindRow {
    ParameterKind kind;
    std::uint32_t code;
    const char* element;
    bool written;
};

TEST(ParameterKinds, CodesAndElementNames) {
    const KindRow rows[] = {
        {ParameterKind::Bool, 0, "BoolParameter", true},
        {ParameterKind::Float, 1, "FloatParameter", true},
        {ParameterKind::UnsignedInt, 2, "UnsignedIntParameter", true},
        {ParameterKind::Int, 3, "IntParameter", true},
        {ParameterKind::Vector4, 4, "Vector4Parameter", true},
        {ParameterKind::Vector3, 5, "Vector3Parameter", true},
        {ParameterKind::Vector2, 6, "Vector2Parameter", true},
        {ParameterKind::Matrix, 7, "MatrixParameter", true},
        {ParameterKind::String, 8, "StringParameter", true},
        {ParameterKind::PointPath, 9, "PointPathParameter", false},
        {ParameterKind::IntVecArray, 10, "IntVecArrayParameter", false},
        {ParameterKind::PointPathAndColour, 11, "PointPathAndColourParameter", false},
        {ParameterKind::MatrixVector, 12, "MatrixVectorParameter", false},
    };
    for (const KindRow& row : rows) {
        SCOPED_TRACE(row.element);
        EXPECT_EQ(static_cast<std::uint32_t>(row.kind), row.code);
        EXPECT_STREQ(parameterKindElementName(row.kind), row.element);
        ParameterKind back;
        ASSERT_TRUE(parameterKindFromElementName(row.element, back));
        EXPECT_EQ(back, row.kind);
        EXPECT_EQ(parameterKindIsWritten(row.kind), row.written);
    }
    ParameterKind unused;
    EXPECT_FALSE(parameterKindFromElementName("boolParameter", unused));

    // Each class reports the kind its code names.
    SimpleParameterGroup group("kinds", nullptr, true);
    EXPECT_EQ(group.addBool("a", true)->kind(), ParameterKind::Bool);
    EXPECT_EQ(group.addUnsignedInt("b", 1)->kind(), ParameterKind::UnsignedInt);
    EXPECT_EQ(group.addInt("c", 1)->kind(), ParameterKind::Int);
    EXPECT_EQ(group.addMatrix("d", {})->kind(), ParameterKind::Matrix);
    EXPECT_EQ(group.addVector4("e", {})->kind(), ParameterKind::Vector4);
    EXPECT_EQ(group.addMatrixVector("f", {})->kind(), ParameterKind::MatrixVector);
}

// The "ParameterDataGroup" element a group writes.
const tinyxml2::XMLElement* written(tinyxml2::XMLDocument& document, const SimpleParameterGroup& group) {
    group.saveXml(&document);
    const tinyxml2::XMLElement* element = document.FirstChildElement("ParameterDataGroup");
    EXPECT_NE(element, nullptr);
    EXPECT_EQ(element->FirstAttribute(), nullptr);
    return element;
}

TEST(ParameterXml, NumbersAreWrittenAsTheFileExpects) {
    SimpleParameterGroup group("entitySaveData", nullptr, true);
    group.addUnsignedInt("all", 4294967295u);
    group.addBool("flag", false);
    group.addFloat("speed", 1.5f);
    // A flag set from a byte 7 is still written as 1.
    const unsigned char seven = 7;
    group.setBool("flag", seven);

    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* element = written(document, group);
    const tinyxml2::XMLElement* u = element->FirstChildElement("UnsignedIntParameter");
    ASSERT_NE(u, nullptr);
    EXPECT_STREQ(u->Attribute("name"), "all");
    EXPECT_STREQ(u->Attribute("value"), "-1");
    EXPECT_STREQ(element->FirstChildElement("BoolParameter")->Attribute("value"), "1");
    EXPECT_STREQ(element->FirstChildElement("FloatParameter")->Attribute("value"), "1.500000");

    SimpleParameterGroup loaded("entitySaveData", nullptr, true);
    loaded.loadXml(element);
    auto* back = dynamic_cast<UnsignedIntParameter*>(loaded.getParameter("all"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->value, 4294967295u);
}

TEST(ParameterXml, BoolReadKeepsTheLowByte) {
    tinyxml2::XMLDocument document;
    document.Parse("<ParameterDataGroup><BoolParameter name='a' value='7'/><BoolParameter name='b' value='256'/>"
                   "</ParameterDataGroup>");
    SimpleParameterGroup group("g", nullptr, true);
    group.loadXml(document.RootElement());
    EXPECT_TRUE(static_cast<BoolParameter*>(group.getParameter("a"))->value);
    EXPECT_FALSE(static_cast<BoolParameter*>(group.getParameter("b"))->value);
}

TEST(ParameterXml, MatrixAttributesAreRowByRow) {
    SimpleParameterGroup group("g", nullptr, true);
    MatrixValue m{};
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(i + 1);
    group.addMatrix("matrix", m);
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* element = written(document, group)->FirstChildElement("MatrixParameter");
    ASSERT_NE(element, nullptr);
    const char* expected[] = {"name", "11", "12", "13", "14", "21", "22", "23", "24",
                              "31",   "32", "33", "34", "41", "42", "43", "44"};
    const tinyxml2::XMLAttribute* a = element->FirstAttribute();
    for (const char* name : expected) {
        ASSERT_NE(a, nullptr) << name;
        EXPECT_STREQ(a->Name(), name);
        a = a->Next();
    }
    EXPECT_EQ(a, nullptr);
    EXPECT_STREQ(element->Attribute("23"), "7.000000");
    EXPECT_STREQ(element->Attribute("41"), "13.000000");
}

TEST(ParameterXml, ListKindsWriteNothingAndReadAsEmptyUnnamedLists) {
    SimpleParameterGroup group("g", nullptr, true);
    group.addPointPath("path", {{1, 2, 3}});
    group.addFloat("f", 2.0f);
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* element = written(document, group);
    EXPECT_EQ(element->FirstChildElement()->NextSiblingElement(), nullptr);
    EXPECT_STREQ(element->FirstChildElement()->Name(), "FloatParameter");

    tinyxml2::XMLDocument in;
    in.Parse("<ParameterDataGroup><PointPathParameter name='p' x='4'/></ParameterDataGroup>");
    SimpleParameterGroup read("g", nullptr, true);
    read.loadXml(in.RootElement());
    ASSERT_EQ(read.parameters().size(), 1u);
    auto* path = dynamic_cast<PointPathParameter*>(read.parameters()[0]);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->getName(), "");
    EXPECT_TRUE(path->value.empty());
}

TEST(ParameterXml, AnElementOfAnotherNameChangesNothing) {
    tinyxml2::XMLDocument document;
    document.Parse("<ParameterGroup><FloatParameter name='f' value='3'/></ParameterGroup>");
    SimpleParameterGroup group("g", nullptr, true);
    group.addFloat("f", 1.0f);
    group.loadXml(document.RootElement());
    group.loadXml(nullptr);
    ASSERT_EQ(group.parameters().size(), 1u);
    EXPECT_EQ(static_cast<FloatParameter*>(group.getParameter("f"))->value, 1.0f);
}

TEST(ParameterXml, TheNineWrittenKindsRoundTrip) {
    SimpleParameterGroup group("g", nullptr, true);
    MatrixValue m{};
    for (int i = 0; i < 16; ++i) m[i] = 0.125f * static_cast<float>(i) - 1.0f;
    group.addBool("b", true);
    group.addFloat("f", -2.25f);
    group.addInt("i", -42);
    group.addUnsignedInt("u", 3000000000u);
    group.addMatrix("m", m);
    group.addVector4("v4", {1, 2, 3, 4});
    group.addVector3("v3", {-1, 0.5f, 9});
    group.addVector2("v2", {0.25f, -0.75f});
    group.addString("s", "caf\xE9 <&> \"q\"");

    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* element = written(document, group);
    SimpleParameterGroup back("other", nullptr, true);
    back.loadXml(element);
    ASSERT_EQ(back.parameters().size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(back.parameters()[i]->getName(), group.parameters()[i]->getName());
        EXPECT_EQ(back.parameters()[i]->kind(), group.parameters()[i]->kind());
    }
    EXPECT_TRUE(static_cast<BoolParameter*>(back.getParameter("b"))->value);
    EXPECT_EQ(static_cast<FloatParameter*>(back.getParameter("f"))->value, -2.25f);
    EXPECT_EQ(static_cast<IntParameter*>(back.getParameter("i"))->value, -42);
    EXPECT_EQ(static_cast<UnsignedIntParameter*>(back.getParameter("u"))->value, 3000000000u);
    EXPECT_EQ(static_cast<MatrixParameter*>(back.getParameter("m"))->value, m);
    EXPECT_EQ(static_cast<Vector4Parameter*>(back.getParameter("v4"))->value, (Vector4Value{1, 2, 3, 4}));
    EXPECT_EQ(static_cast<Vector3Parameter*>(back.getParameter("v3"))->value, (Vector3Value{-1, 0.5f, 9}));
    EXPECT_EQ(static_cast<Vector2Parameter*>(back.getParameter("v2"))->value, (Vector2Value{0.25f, -0.75f}));
    EXPECT_EQ(static_cast<StringParameter*>(back.getParameter("s"))->value, "caf\xE9 <&> \"q\"");
}

TEST(ParameterXml, LoadingSetsWhatAPrefilledGroupHasAndAddsTheRest) {
    SimpleParameterGroup group("entitySaveData", nullptr, true);
    group.addVector3("position", {0, 0, 0});
    group.addBool("alive", true);

    tinyxml2::XMLDocument document;
    document.Parse("<ParameterDataGroup>"
                   "<Vector3Parameter name='position' x='1' y='2'/>"
                   "<BoolParameter name='alive' value='0'/>"
                   "<IntParameter name='health' value='12'/>"
                   "</ParameterDataGroup>");
    group.loadXml(document.RootElement());

    ASSERT_EQ(group.parameters().size(), 3u);
    // The pre-filled parameters took the file's values (z kept, as the file gives none).
    EXPECT_EQ(static_cast<Vector3Parameter*>(group.parameters()[0])->value, (Vector3Value{1, 2, 0}));
    EXPECT_FALSE(static_cast<BoolParameter*>(group.parameters()[1])->value);
    EXPECT_EQ(static_cast<IntParameter*>(group.parameters()[2])->value, 12);
    EXPECT_TRUE(group.takeChanged());
}

} // namespace
